#include "app/WindowColours.h"

#include "display/TitleWidth.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include <cmath>

namespace {

// Dynamic properties of a marked control: that it carries a mark, that the mark gave it a
// background, and what its colours mean.
constexpr char markedProperty[] = "colourMark";
constexpr char backgroundProperty[] = "colourMarkBackground";
constexpr char meaningsProperty[] = "colourMarkMeanings";

QPalette::ColorRole fontRole(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractScrollArea *>(widget))
        return QPalette::Text;
    if (qobject_cast<const QPushButton *>(widget))
        return QPalette::ButtonText;
    return QPalette::WindowText;
}

// A label takes its background role from its parent: on the tool bar it is the button face.
QPalette::ColorRole backgroundRole(const QWidget *widget, QPalette::ColorRole font)
{
    switch (font) {
    case QPalette::Text: return QPalette::Base;
    case QPalette::ButtonText: return QPalette::Button;
    default: return widget->backgroundRole();
    }
}

// Fields and buttons draw their own background; labels and group boxes show their parent's.
bool fillsBackground(const QWidget *widget) { return fontRole(widget) == QPalette::WindowText; }

bool desktopIsDark() { return QGuiApplication::palette().color(QPalette::Window).lightness() < 128; }

QColor readableBackground(const QColor &mark)
{
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    return WindowColours::contrast(mark, white) >= WindowColours::contrast(mark, black) ? white : black;
}

// A role set on a widget's palette is its own for good; forgetting it lets the widget take the
// role from its parent again, as it did before the mark gave it a background.
void forgetRole(QPalette &palette, QPalette::ColorRole role)
{
    QPalette::ResolveMask mask = palette.resolveMask();
    for (int group = QPalette::Active; group <= QPalette::Inactive; ++group)
        mask &= ~(QPalette::ResolveMask(1) << (group * QPalette::NColorRoles + role));
    palette.setResolveMask(mask);
}

void giveBackground(QWidget *widget, QPalette &palette, QPalette::ColorRole role, const QColor &mark)
{
    if (desktopIsDark()) {
        palette.setColor(role, readableBackground(mark));
        widget->setProperty(backgroundProperty, true);
        if (fillsBackground(widget))
            widget->setAutoFillBackground(true);
    } else if (widget->property(backgroundProperty).toBool()) {
        forgetRole(palette, role);
        widget->setProperty(backgroundProperty, false);
        if (fillsBackground(widget))
            widget->setAutoFillBackground(false);
    }
}

void describe(QWidget *widget, const QColor &colour)
{
    const QStringList meanings = widget->property(meaningsProperty).toStringList();
    if (meanings.size() != 3)
        return;
    const QColor marks[] = {WindowColours::black(), WindowColours::blue(), WindowColours::red()};
    for (int i = 0; i < 3; ++i) {
        if (colour == marks[i])
            widget->setAccessibleDescription(meanings.at(i));
    }
}

class PaletteFollower : public QObject {
public:
    explicit PaletteFollower(QWidget *window)
        : QObject(window)
        , window_(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::ApplicationPaletteChange) {
            for (QWidget *widget : window_->findChildren<QWidget *>()) {
                if (widget->property(markedProperty).toBool())
                    WindowColours::setFontColour(widget, WindowColours::fontColour(widget));
            }
        }
        return false;
    }

private:
    QWidget *window_;
};

double luminance(const QColor &colour)
{
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

namespace WindowColours {

QColor black() { return QColor(0, 0, 0); }

QColor blue() { return QColor(0, 0, 255); }

QColor red() { return QColor(255, 0, 0); }

QColor green() { return QColor(0, 128, 0); }

void setFontColour(QWidget *widget, const QColor &colour)
{
    const QPalette::ColorRole role = fontRole(widget);
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    giveBackground(widget, palette, backgroundRole(widget, role), colour);
    widget->setPalette(palette);
    widget->setProperty(markedProperty, true);
    describe(widget, colour);
}

QColor fontColour(const QWidget *widget) { return widget->palette().color(fontRole(widget)); }

void describeMarks(QWidget *widget, const Meanings &meanings)
{
    widget->setProperty(meaningsProperty, QStringList{meanings.black, meanings.blue, meanings.red});
    describe(widget, fontColour(widget));
}

void followPalette(QWidget *window) { new PaletteFollower(window); }

double contrast(const QColor &first, const QColor &second)
{
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

void markFileAvailability(QWidget *field, FileAvailability availability)
{
    switch (availability) {
    case FileAvailability::InItemFolder: setFontColour(field, black()); break;
    case FileAvailability::InDanishEditionOnly: setFontColour(field, blue()); break;
    case FileAvailability::Missing: setFontColour(field, red()); break;
    }
}

void showTitle(QLabel *label, const QString &title)
{
    label->setText(title);
    setFontColour(label, TitleWidth::isTooWide(title) ? red() : black());
}

} // namespace WindowColours
