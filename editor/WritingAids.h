#pragma once

#include <QObject>

class ComparisonWindow;
class DescriptionSpelling;
class EditorContext;
class QMenu;

// What helps the user write the descriptions: spell checking ("Stavekontrol" in "Rediger") and
// the comparison window ("Sammenlign…", Ctrl+Shift+S). Owned by the editor's window.
class WritingAids : public QObject {
    Q_OBJECT
public:
    // Their entries are added to the menu.
    WritingAids(EditorContext &context, QMenu &menu);

    DescriptionSpelling &spelling() { return *spelling_; }
    ComparisonWindow &comparison() { return *comparison_; }

    // The window shows another item, or the same anew.
    void itemShown();

private:
    DescriptionSpelling *spelling_ = nullptr;
    ComparisonWindow *comparison_ = nullptr;
};
