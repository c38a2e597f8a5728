#include "editor/StatusNotices.h"

#include <QLabel>

StatusNotices::StatusNotices(QLabel &panel, QObject *parent)
    : QObject(parent)
    , panel_(panel)
{
    setObjectName(QStringLiteral("StatusNotices"));
    panel_.setText(shown());
}

void StatusNotices::showAccess(const QString &state)
{
    posted_ = {};
    post(Notice::Access, state);
}

void StatusNotices::post(Notice notice, const QString &text)
{
    posted_[std::size_t(notice)] = text;
    panel_.setText(shown());
}

QString StatusNotices::shown() const
{
    for (const QString &text : posted_) {
        if (!text.isEmpty())
            return text;
    }
    return QStringLiteral("Status");
}
