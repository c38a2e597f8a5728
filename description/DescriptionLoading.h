#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTextDocument>
#include <QTimer>

#include <limits>
#include <memory>

class RtfReader;

// Reads a description file into the document shown: its head at once, the rest in parts of a
// few milliseconds from the event loop, so a long description holds up neither the step to its
// item nor the window afterwards. Until the last part the document counts as unchanged, and the
// user's first action on it waits for the rest (finish()).
class DescriptionLoading : public QObject {
    Q_OBJECT
public:
    // About the first two or three views of a description.
    static constexpr int headParagraphs = 30;

    DescriptionLoading();
    ~DescriptionLoading() override;

    // Replaces the document's content with the file's bytes, shows the head and reads the rest
    // from the event loop. False, with the document empty, when the bytes are no description
    // (RtfReader::isReadable). storedPath names the file in diagnostics.
    bool start(QByteArray bytes, QTextDocument &document, const QString &storedPath);
    // Reads the rest now, before the description is changed or written.
    void finish();
    // Stops where it is, for a document about to be replaced: what was read stays shown.
    void abandon();

private:
    void readNextPart();
    void readPart(const QDeadlineTimer &deadline, int paragraphs = std::numeric_limits<int>::max());

    std::unique_ptr<RtfReader> reader_;
    QTextDocument *document_ = nullptr; // outlives the loading
    QString storedPath_;
    QTimer parts_;
    int partParagraphs_ = headParagraphs;
};
