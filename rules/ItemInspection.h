#pragma once

#include "rules/ItemReport.h"

#include "spelling/KnownWords.h"

#include <QSize>

#include <memory>

class ProfileSnapshot;
class SpellingDictionaries;

// Reads one item and its files the way the editor shows it. Safe to run for several items at
// once: it touches no fonts and writes nothing.
namespace ItemInspection {

// The proof sheet's screenshot thumbnails fit this; a 1024 x 768 screenshot decodes to it
// directly at a quarter scale in the DCT.
inline const QSize thumbnailBox(256, 192);

struct Options {
    bool proofSheet = false; // also make thumbnails and the descriptions' formatted text
    // The languages whose descriptions the disc needs; the others are neither read nor reported.
    // For a whole catalogue, none means the edition's own, as its language setting selects it.
    QList<DescriptionLanguage> languages = {DescriptionLanguage::Dansk, DescriptionLanguage::Norsk,
                                            DescriptionLanguage::Svensk, DescriptionLanguage::Finsk};
    // The descriptions' spelling and whether their lengths keep step, which reads each whole;
    // neither without dictionaries. The known words are the user's word list.
    std::shared_ptr<SpellingDictionaries> dictionaries;
    KnownWords knownWords;
};

// Everything but the problems and the findings that need other items (shared folders, the
// fixed catalogue) or the title font.
ItemReport inspect(const ProfileSnapshot &catalogue, int number, const Options &options);

// Fills report.problems from what was found, in the order the proof sheet lists them.
void addProblems(ItemReport &report);

// The item's section as the report's sectionRead holds it.
QString sectionText(const ProfileSnapshot &catalogue, int number);
// What an earlier inspection found of the item and its files, without what the other items and
// the catalogue as a whole added to it, for a check after a change that left them alone.
ItemReport keptFrom(const ItemReport &earlier);

} // namespace ItemInspection
