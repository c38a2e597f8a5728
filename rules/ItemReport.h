#pragma once

#include "catalogue/CatalogueKeys.h"
#include "catalogue/ItemFolder.h"
#include "description/DescriptionLanguage.h"
#include "display/TitleWidth.h"
#include "rules/Problem.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What the whole-disc check found for one item: the values it read, the states of the item's
// files, and the problems they add up to.

enum class FolderState { Present, NotNamed, Missing, IsFile };

struct NamedFileReport {
    TextKey key; // Setup, Run or Ekstra
    QString name; // as stored; empty when none is named
    FileAvailability availability = FileAvailability::Missing;
};

struct PictureReport {
    enum class State { Missing, Damaged, Present };
    State state = State::Missing;
    QSize size; // as stored, for a screenshot whose header could be read
    QString dataUri; // a thumbnail for the proof sheet; empty unless asked for
};

struct DescriptionReport {
    enum class State { Missing, Unreadable, Empty, Present };
    DescriptionLanguage language = DescriptionLanguage::Dansk;
    bool checked = true; // false for a language the edition was not checked in: nothing was read
    QString fileName; // the name the editor looks for
    State state = State::Missing;
    QString firstWords;
    QString html; // the formatted text as an HTML fragment; empty unless asked for
    QString cutNote; // what of a long text the fragment leaves out; empty when it is whole
    int wordCount = 0;
    QStringList unknownWords; // each once, in the order first met; empty unless spelling is checked
    // For a translation: the Danish words its file records it was written against, if any.
    std::optional<QString> writtenAgainst;
};

struct ItemReport {
    int number = 0;
    // The section's keys and values as they were read, to tell whether a later check may keep
    // what was found in the item's files.
    QString sectionRead;
    QString title;
    QString shortText;
    QString folder;
    QString webPage;
    std::optional<int> titleWidth; // measured by the caller, which owns the fonts
    QList<Category> categories;
    bool fullVersion = false;
    bool mustRegister = false;

    FolderState folderState = FolderState::NotNamed;
    std::array<NamedFileReport, 3> files{};
    PictureReport screenshot;
    PictureReport icon;
    std::array<DescriptionReport, 4> descriptions{};

    QList<QPair<QString, QString>> flagsReadingUnset; // key, stored value
    QStringList unknownKeys;
    // What the reader passes over or reads otherwise than the section looks.
    QStringList duplicateKeys; // the later spellings, once each
    QStringList linesWithoutEquals;
    QList<QPair<QString, QString>> keysInOtherCase; // as stored, as the editor knows it
    QList<int> sharesFolderWith;
    QStringList differsFromFixed; // key names

    QList<Problem> problems;
    QList<Problem> warnings; // spelling and the languages' balance

    bool titleTooWide() const { return titleWidth && *titleWidth > TitleWidth::limit; }
};
