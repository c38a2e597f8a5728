#pragma once

#include <QString>

class TMQVEdit;

// What a user does to the window, done the way the user does it.
void clickToolButton(TMQVEdit &window, const QString &actionName);
void clickButton(TMQVEdit &window, const QString &buttonName);
// The next item ("Næste punkt").
void stepForward(TMQVEdit &window);
// The previous item ("Forrige punkt").
void stepBack(TMQVEdit &window);
// Empties the shown item ("Slet indhold").
void clearItem(TMQVEdit &window);
// A new item at the first free number ("Tilføj punkt").
void addItem(TMQVEdit &window);
// Takes the shown item out of the catalogue ("Slet punkt").
void deleteItem(TMQVEdit &window);
// Pastes the clipboard's text as the description and steps on ("Paste beskrivelse; fremad!").
void pasteDescription(TMQVEdit &window);
// Moves the shown description file to the trash ("Slet denne RTF-fil!").
void trashDescription(TMQVEdit &window);
// Copies the master listing ("Kopier").
void copyListing(TMQVEdit &window);
// Clears the field and types the text into it, key by key.
void typeInto(TMQVEdit &window, const QString &fieldName, const QString &text);
void leaveField(TMQVEdit &window, const QString &fieldName);
// Types the text at the end of the description.
void typeDescription(TMQVEdit &window, const QString &text);
// The description as the user reads it.
QString shownDescription(TMQVEdit &window);
