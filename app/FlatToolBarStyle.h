#pragma once

#include <QProxyStyle>

// Tool bar items sit side by side with no margins or spacing, so the gaps between the button
// groups are exactly the separators' widths and the caption label starts where it is designed to.
class FlatToolBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
