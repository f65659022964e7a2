#include "toolkit/FlatScrollBar.h"

#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <algorithm>

namespace selenara {
namespace {

class FlatScrollBarStyle final : public QProxyStyle {
public:
    explicit FlatScrollBarStyle(const FlatScrollBarLook& look) : look_(look) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent) return look_.Width;
        if (metric == PM_ScrollBarSliderMin) return look_.MinimumHandle;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || !bar) return QProxyStyle::subControlRect(control, option, part, widget);
        // The whole bar is the track: there are no arrow buttons.
        const QRect track = bar->rect;
        const int range = bar->maximum - bar->minimum;
        // In proportion to the page, but not shorter than the least length
        // nor longer than the track, which may be shorter than that (or none).
        const int proportional = range > 0 ? static_cast<int>(static_cast<long long>(track.height()) *
                                                              bar->pageStep / (range + bar->pageStep))
                                           : track.height();
        const int length = std::max(0, std::min(std::max(proportional, look_.MinimumHandle), track.height()));
        const int top = track.top() + sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                                              track.height() - length, bar->upsideDown);
        switch (part) {
            case SC_ScrollBarSlider: return {track.left(), top, track.width(), length};
            case SC_ScrollBarSubPage: return {track.left(), track.top(), track.width(), top - track.top()};
            case SC_ScrollBarAddPage:
                return {track.left(), top + length, track.width(), track.bottom() + 1 - (top + length)};
            case SC_ScrollBarGroove: return track;
            default: return {};  // the arrow buttons, first and last
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        if (control != CC_ScrollBar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        painter->fillRect(option->rect, look_.Track);
        painter->fillRect(subControlRect(control, option, SC_ScrollBarSlider, widget), look_.Handle);
    }

private:
    FlatScrollBarLook look_;
};

}  // namespace

void MakeFlat(QScrollBar& bar, const FlatScrollBarLook& look) {
    auto* style = new FlatScrollBarStyle(look);
    bar.setStyle(style);
    style->setParent(&bar);
}

}  // namespace selenara
