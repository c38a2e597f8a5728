#pragma once

#include <QString>

// The editor's own settings file in the user's config folder ($XDG_CONFIG_HOME or ~/.config):
// what belongs to the user, not to a catalogue.
namespace UserSettings {

QString file();

} // namespace UserSettings
