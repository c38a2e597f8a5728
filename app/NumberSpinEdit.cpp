#include "app/NumberSpinEdit.h"

#include "app/WindowColours.h"
#include "catalogue/Catalogue.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int largeStep = 5;
// Long enough for the second digit of a number, short enough not to be waited for.
constexpr int typingPauseMs = 700;

bool isTypedNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
    return digits.match(text.trimmed()).hasMatch();
}

} // namespace

NumberSpinEdit::NumberSpinEdit(TypedNumber typedNumber, QWidget *parent)
    : QSpinBox(parent)
    , typedNumber_(typedNumber)
{
    setRange(Catalogue::FirstItemNumber, Catalogue::LastItemNumber);
    setSingleStep(1);
    setValue(1);
    setKeyboardTracking(false);
    lineEdit()->setCursor(Qt::IBeamCursor);
    if (typedNumber_ == TypedNumber::OnEnter)
        setFocusPolicy(Qt::StrongFocus);
    typingPause_.setSingleShot(true);
    typingPause_.setInterval(typingPauseMs);
    connect(&typingPause_, &QTimer::timeout, this, &NumberSpinEdit::takeTypedNumber);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberSpinEdit::markTypedNumber);
    if (typedNumber_ == TypedNumber::WhenComplete)
        connect(lineEdit(), &QLineEdit::textEdited, &typingPause_, qOverload<>(&QTimer::start));
}

void NumberSpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepBy(event->key() == Qt::Key_PageUp ? largeStep : -largeStep);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typingPause_.stop();
        // The refused number stays in view, red and selected, for the user to type over.
        if (typedOutOfRange()) {
            selectAll();
            QToolTip::showText(mapToGlobal(QPoint(0, height())), toolTip(), this);
            event->accept();
            return;
        }
    }
    QSpinBox::keyPressEvent(event);
}

void NumberSpinEdit::focusOutEvent(QFocusEvent *event)
{
    typingPause_.stop();
    if (typedNumber_ == TypedNumber::OnEnter)
        lineEdit()->setText(textFromValue(value()));
    QSpinBox::focusOutEvent(event);
}

void NumberSpinEdit::wheelEvent(QWheelEvent *event)
{
    if (typedNumber_ == TypedNumber::OnEnter && !hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

// Any number of up to three digits may be typed, so that one outside 1..70 shows as typed and is
// refused where the user sees it, instead of losing its last digit and meaning another item.
QValidator::State NumberSpinEdit::validate(QString &input, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    return state == QValidator::Invalid && isTypedNumber(input) ? QValidator::Intermediate : state;
}

bool NumberSpinEdit::typedOutOfRange() const
{
    const QString text = lineEdit()->text();
    if (!isTypedNumber(text))
        return false;
    const int number = text.trimmed().toInt();
    return number < minimum() || number > maximum();
}

void NumberSpinEdit::markTypedNumber()
{
    const bool outOfRange = typedOutOfRange();
    WindowColours::setFontColour(lineEdit(), outOfRange ? WindowColours::red() : WindowColours::black());
    setToolTip(outOfRange ? QStringLiteral("Kun punkt %1 til %2 findes").arg(minimum()).arg(maximum()) : QString());
}

// The number shown, which in OnEnter mode may be one chosen and not yet in effect.
void NumberSpinEdit::stepBy(int steps)
{
    if (typedNumber_ != TypedNumber::OnEnter) {
        QSpinBox::stepBy(steps);
        return;
    }
    const QString text = lineEdit()->text();
    const int shown = isTypedNumber(text) ? text.trimmed().toInt() : value();
    lineEdit()->setText(textFromValue(std::clamp(shown + steps, minimum(), maximum())));
    selectAll();
}

QAbstractSpinBox::StepEnabled NumberSpinEdit::stepEnabled() const
{
    if (typedNumber_ != TypedNumber::OnEnter)
        return QSpinBox::stepEnabled();
    return StepUpEnabled | StepDownEnabled;
}

void NumberSpinEdit::takeTypedNumber()
{
    if (!typedOutOfRange())
        interpretText();
}
