#include "support/WindowActions.h"

#include "app/EditMQV.h"
#include "support/EditorTesting.h"

#include <QAction>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTest>
#include <QToolBar>

void clickToolButton(TMQVEdit &window, const QString &actionName)
{
    auto *action = control<QAction>(&window, actionName);
    QWidget *button = window.ToolBar1->widgetForAction(action);
    if (!button)
        throw std::runtime_error("no tool button for " + actionName.toStdString());
    QTest::mouseClick(button, Qt::LeftButton);
}

void stepForward(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("ToolButton10"));
}

void stepBack(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("ToolButton8"));
}

void clearItem(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("Slet"));
}

void addItem(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("NytPunkt"));
}

void deleteItem(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("SletPunkt"));
}

void pasteDescription(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("Paste"));
}

void trashDescription(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("SletRTF"));
}

void copyListing(TMQVEdit &window)
{
    clickToolButton(window, QStringLiteral("ToolButton2"));
}

void clickButton(TMQVEdit &window, const QString &buttonName)
{
    QTest::mouseClick(control<QPushButton>(&window, buttonName), Qt::LeftButton);
}

void typeInto(TMQVEdit &window, const QString &fieldName, const QString &text)
{
    auto *field = control<QLineEdit>(&window, fieldName);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void leaveField(TMQVEdit &window, const QString &fieldName)
{
    auto *field = control<QLineEdit>(&window, fieldName);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &leave);
}

void typeDescription(TMQVEdit &window, const QString &text)
{
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, text);
}

QString shownDescription(TMQVEdit &window)
{
    return control<QTextEdit>(&window, "Beskriv")->toPlainText();
}
