#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One thing wrong with an item or with the catalogue as a whole, worded for the disc's producer.
struct Problem {
    enum class Kind {
        EmptyTitle,
        NoCategory,
        TitleTooWide,
        NoFolder,
        FolderMissing,
        FolderIsFile,
        NoSetup,
        SetupMissing,
        RunMissing,
        ExtraMissing,
        ScreenshotMissing,
        ScreenshotDamaged,
        IconMissing,
        IconDamaged,
        DescriptionMissing,
        DescriptionUnreadable,
        DescriptionEmpty,
        FlagReadsUnset,
        UnknownKey,
        DuplicateKey,
        LineWithoutEquals,
        KeyInOtherCase,
        SharedFolder,
        DiffersFromFixed,
        FreeNumbers,
        FixedItemMissing,
        SectionNotAnItem,
        DuplicateSection,
        LockFileLeft,
        // Warnings: shown and counted, but no reason by themselves to hold the disc back.
        UnknownWords,
        LanguageWithoutText,
        LanguageCutShort,
        TranslationBehind,
    };

    Kind kind;
    // What the text names, in order: a file, a key and its value, a language, item numbers.
    QStringList arguments;

    bool isWarning() const;
    // A stable name for scripts ("title-too-wide").
    QString code() const;
    // A sentence in plain Danish.
    QString text() const;
    // The same for every problem of its kind, for counting.
    static QString summary(Kind kind);
    // "5", "5 og 7", "5, 7 og 9".
    static QString numberList(const QList<int> &numbers);
};
