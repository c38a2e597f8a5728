#pragma once

#include <QString>

class TMQVEdit;

// What a user does to the window, done the way the user does it.
void clickToolButton(TMQVEdit &window, const QString &actionName);
void clickButton(TMQVEdit &window, const QString &buttonName);
// Clears the field and types the text into it, key by key.
void typeInto(TMQVEdit &window, const QString &fieldName, const QString &text);
void leaveField(TMQVEdit &window, const QString &fieldName);
// Types the text at the end of the description.
void typeDescription(TMQVEdit &window, const QString &text);
// The description as the user reads it.
QString shownDescription(TMQVEdit &window);
