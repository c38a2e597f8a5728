#include "editor/PictureDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressDialog>

namespace PictureDownload {

Result fetch(const QUrl &url, const QString &what, QWidget *parent)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {{}, QStringLiteral("Kan ikke hente %1: \"%2\" er ikke en webadresse.").arg(what, url.toString())};

    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(30000);
    QNetworkReply *reply = network.get(request);

    QProgressDialog progress(QStringLiteral("Henter %1 fra %2 …").arg(what, url.host()), QStringLiteral("Annuller"), 0,
                             0, parent);
    progress.setObjectName(QStringLiteral("PadHenter"));
    progress.setWindowTitle(QStringLiteral("Hent PAD-fil"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::downloadProgress, &progress, [&](qint64 received, qint64 total) {
        if (received > maximumSize || total > maximumSize) {
            tooLarge = true;
            reply->abort();
            return;
        }
        progress.setMaximum(int(qMax<qint64>(total, 0) / 1024));
        progress.setValue(int(received / 1024));
    });
    QObject::connect(&progress, &QProgressDialog::canceled, reply, &QNetworkReply::abort);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    progress.show();
    if (!reply->isFinished())
        loop.exec();

    Result result;
    if (tooLarge)
        result.error = QStringLiteral("Kan ikke hente %1: det er over 20 MB.").arg(what);
    else if (progress.wasCanceled())
        result.error = QStringLiteral("Hentningen af %1 blev annulleret.").arg(what);
    else if (reply->error() != QNetworkReply::NoError)
        result.error = QStringLiteral("Kan ikke hente %1 fra %2: %3").arg(what, url.toString(), reply->errorString());
    else
        result.bytes = reply->readAll();
    reply->deleteLater();
    return result;
}

} // namespace PictureDownload
