#include "app/AccessibleNames.h"

#include "app/WindowColours.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QWidget>

namespace {

// A control named outright, and what a reader says after its name.
struct Name {
    const char *control;
    QString name;
    QString description;
};

// Controls whose caption or hint says nothing, or nothing a reader can say.
const Name names[] = {
    // Tool-bar buttons whose hints, added with their keys, are long to hear before every press.
    {"ToolButton8Button", QStringLiteral("Forrige punkt"), QString()},
    {"ToolButton10Button", QStringLiteral("Næste punkt"), QString()},
    {"ToolButton2Button", QStringLiteral("Kopier listen over alle titler"), QString()},
    // The history, search and comparison windows.
    {"HistorikTrin", QStringLiteral("Trin i historikken"), QString()},
    {"SoegTekst", QStringLiteral("Søg efter"), QString()},
    {"SoegResultater", QStringLiteral("Fund"), QString()},
    // A reader says a list box's choice as its name.
    {"SammenlignSprog", QString(), QStringLiteral("Sprog at sammenligne med")},
    {"SammenlignTekst", QStringLiteral("Beskrivelse at sammenligne med"), QString()},
    // The import of a program description file.
    {"PadLinjer", QStringLiteral("Det, der hentes"), QStringLiteral("Afkryds for at tage med; værdien kan rettes")},
    {"PadRapport", QStringLiteral("Rapport over PAD-filen"), QString()},
    {"PadTilladelser", QStringLiteral("Distributionstilladelser og licens"), QString()},
    // The "Problemer" pane: its list and the filters, whose choice a reader says as their name.
    {"ProblemListe", QStringLiteral("Diskens problemer"), QString()},
    {"ProblemArt", QString(), QStringLiteral("Vis problemer eller advarsler")},
    {"ProblemSprog", QString(), QStringLiteral("Vis sprog")},
    {"ProblemPunkt", QString(), QStringLiteral("Vis punkt")},
    {"IgnoreredeProblemer", QStringLiteral("Ignoreret på denne disk"), QString()},
    // The mark above a translation behind the Danish text.
    {"AjourMaerke", QStringLiteral("Ændret i den danske tekst siden oversættelsen"), QString()},
};

// A label and the field it names.
struct Buddy {
    const char *label;
    const char *field;
};

const Buddy buddies[] = {
    {"Titel", "TitelEdit"},   {"Folder", "FolderEdit"},   {"Setup", "SetupEdit"},    {"Run", "RunEdit"},
    {"Label1", "EkstraEdit"}, {"Label3", "InternetEdit"}, {"NummerLabel", "Nummer"}, {"Label2", "FlytteSpinner"},
};

// A formatting button and the context-menu entry that does the same.
struct FormatButton {
    const char *button;
    const char *entry;
};

const FormatButton formatButtons[] = {
    {"Kursiv", "KursivMenu"},    {"Fed", "FedMenu"},          {"Normal", "NormalMenu"},  {"Punkt12", "Punkt12Menu"},
    {"Punkt10", "Punkt10Menu"},  {"LMDButton3", "GreenMenu"}, {"LMDButton1", "RedMenu"}, {"LMDButton2", "BlueMenu"},
    {"LMDButton4", "BlackMenu"}, {"Arial", "Normal1"},
};

// What black, blue and red mean on each control that carries a colour mark.
struct Marks {
    const char *control;
    WindowColours::Meanings meanings;
};

const WindowColours::Meanings fileMarks = {QString(), QStringLiteral("Findes kun i den danske udgave"),
                                           QStringLiteral("Mangler i punktets mappe")};
const Marks marks[] = {
    {"SetupEdit", fileMarks},
    {"RunEdit", fileMarks},
    {"EkstraEdit", fileMarks},
    {"FolderEdit", {QString(), QString(), QStringLiteral("Mappen findes ikke eller er et andet punkts")}},
    {"TitelLabel", {QString(), QString(), QStringLiteral("Titlen er for bred til menuen")}},
    {"Kategorier", {QString(), QString(), QStringLiteral("Punktet er ikke i nogen kategori")}},
};

// The language buttons, each naming the description in its language once it is pressed.
struct LanguageButton {
    const char *action;
    DescriptionLanguage language;
};

const LanguageButton languageButtons[] = {
    {"BrugDansk", DescriptionLanguage::Dansk},
    {"BrugNorsk", DescriptionLanguage::Norsk},
    {"BrugSvensk", DescriptionLanguage::Svensk},
    {"BrugFinsk", DescriptionLanguage::Finsk},
};

struct Picture {
    const char *control;
    QString shown;
    QString none;
};

const Picture pictures[] = {
    {"Skud", QStringLiteral("Skærmskud"), QStringLiteral("Intet skærmskud")},
    {"Ikon", QStringLiteral("Ikon"), QStringLiteral("Intet ikon")},
};

template <typename Control = QWidget>
Control *find(const QWidget *window, const char *name)
{
    return window->findChild<Control *>(QLatin1String(name));
}

QString withLanguage(const QString &purpose, DescriptionLanguage language)
{
    return purpose + QStringLiteral(", ") + DescriptionLanguages::info(language).setting.toLower();
}

void nameToolButtons(QWidget *window)
{
    for (QToolButton *button : window->findChildren<QToolButton *>()) {
        const QAction *action = button->defaultAction();
        if (action && button->accessibleName().isEmpty() && !action->toolTip().isEmpty())
            button->setAccessibleName(action->toolTip());
    }
}

void nameScrollBars(QWidget *window)
{
    for (QScrollBar *bar : window->findChildren<QScrollBar *>())
        bar->setAccessibleName(bar->orientation() == Qt::Vertical ? QStringLiteral("Rul lodret")
                                                                  : QStringLiteral("Rul vandret"));
}

void followLanguage(QWidget *window)
{
    QWidget *description = find(window, "Beskriv");
    for (const LanguageButton &button : languageButtons) {
        QAction *action = find<QAction>(window, button.action);
        if (!description || !action)
            continue;
        QObject::connect(action, &QAction::toggled, description, [description, language = button.language](bool on) {
            if (on)
                description->setAccessibleName(AccessibleNames::description(language));
        });
    }
}

} // namespace

namespace AccessibleNames {

void give(QWidget *window)
{
    for (const Name &row : names) {
        if (QWidget *control = find(window, row.control)) {
            control->setAccessibleName(row.name);
            control->setAccessibleDescription(row.description);
        }
    }
    nameToolButtons(window);
    for (const Buddy &row : buddies) {
        auto *label = find<QLabel>(window, row.label);
        QWidget *field = find(window, row.field);
        if (label && field)
            label->setBuddy(field);
    }
    for (const FormatButton &row : formatButtons) {
        QWidget *button = find(window, row.button);
        const QAction *entry = find<QAction>(window, row.entry);
        if (button && entry) {
            button->setAccessibleName(entry->text());
            button->setAccessibleDescription(entry->shortcut().toString(QKeySequence::NativeText));
        }
    }
    for (const Marks &row : marks) {
        if (QWidget *control = find(window, row.control))
            WindowColours::describeMarks(control, row.meanings);
    }
    for (const Picture &row : pictures) {
        if (QWidget *picture = find(window, row.control))
            picture->setAccessibleName(row.none);
    }
    nameScrollBars(window);
    followLanguage(window);
}

QString shortText(DescriptionLanguage language) { return withLanguage(QStringLiteral("Kort tekst"), language); }

QString description(DescriptionLanguage language) { return withLanguage(QStringLiteral("Beskrivelse"), language); }

void showsPicture(QWidget *picture, bool shown)
{
    for (const Picture &row : pictures) {
        if (picture->objectName() == QLatin1String(row.control))
            picture->setAccessibleName(shown ? row.shown : row.none);
    }
}

} // namespace AccessibleNames
