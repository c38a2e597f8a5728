#pragma once

#include <QObject>

class ComparisonWindow;
class DescriptionSpelling;
class QAction;
class TMQVEdit;

// What helps the user write the descriptions: spell checking ("Stavekontrol" in "Rediger") and
// the comparison window ("Sammenlign…", Ctrl+Shift+S). Owned by the editor's window.
class WritingAids : public QObject {
    Q_OBJECT
public:
    explicit WritingAids(TMQVEdit &editor);

    DescriptionSpelling &spelling() { return *spelling_; }
    ComparisonWindow &comparison() { return *comparison_; }

    // The window shows another item, or the same anew.
    void itemShown();

private:
    DescriptionSpelling *spelling_ = nullptr;
    ComparisonWindow *comparison_ = nullptr;
};
