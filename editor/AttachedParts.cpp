#include "app/EditMQV.h"

#include "app/NumberSpinEdit.h"
#include "editor/CatalogueMenu.h"
#include "editor/DescriptionSpelling.h"
#include "editor/ItemKeys.h"
#include "editor/ListingCopyNotice.h"
#include "editor/OutsideChangeController.h"
#include "editor/PadImportCommand.h"
#include "editor/ProblemsController.h"
#include "editor/Question.h"
#include "editor/SearchWindow.h"
#include "editor/TranslationMark.h"
#include "editor/WritingAids.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>

// Each part sees the window as its context and is given the few controls of its own concern; it
// lives as the window's child.
void TMQVEdit::attachParts()
{
    new ItemKeys(*this, *ToolButton8, *ToolButton10);
    new ListingCopyNotice(*ToolButton2, *ZStatus);
    new SearchWindow(*this, *Rediger);
    auto *catalogueMenu = new CatalogueMenu(*this, *Zmenu);
    new PadImportCommand(*this, *catalogueMenu, [this] { BuildCategoryMenus(); });
    writingAids_ = new WritingAids(*this, *Rediger);
    outsideChanges_ = new OutsideChangeController(
        *this, guard_, *ToolButton8, [this] { BuildCategoryMenus(); },
        [this](TextKey typed) { runHandler(fieldWiring(typed).change); });
    connect(outsideChanges_, &OutsideChangeController::takenIn, history_, &HistoryController::refresh);
    translationMark_ = new TranslationMark(*this, *description_);
    auto *problems = new ProblemsController(*this, *this, *Rediger);
    connect(history_, &HistoryController::stepsChanged, problems, &ProblemsController::catalogueChanged);
}

// Above the context menu's own entries, for the word under the mouse.
void TMQVEdit::offerCorrections(const QPoint &position)
{
    writingAids_->spelling().offerCorrections(*RTFMenu, position);
}

QString TMQVEdit::shownTitle() const { return TitelLabel->text(); }

bool TMQVEdit::catalogueWritable() const { return catalogueLock_->writable(); }

QLineEdit &TMQVEdit::field(TextKey key) { return *fieldWiring(key).field; }

// As the user's own step there: the description is saved first, and the item is shown anew also
// where it is the one shown, as after its files were put back.
void TMQVEdit::showItem(int number)
{
    SaveDescription();
    ShowNumber(number);
}

void TMQVEdit::showLanguage(DescriptionLanguage language)
{
    if (language != CurrentLanguage)
        LanguageButtons->actions().at(int(language))->trigger();
}

void TMQVEdit::showStoredItem()
{
    SaveDescription();
    ShowItem();
}

// A question without a caption of its own is captioned as the window's messages are.
int TMQVEdit::ask(const Question &question)
{
    if (!question.title.isEmpty())
        return Questions::ask(this, question);
    Question captioned = question;
    captioned.title = ApplicationTitle;
    return Questions::ask(this, captioned);
}
