#pragma once

#include <QObject>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

namespace quorvel {

// Puts a top-level window where the settings say and tells its first activation. The window
// manager adds its frame some time after the window is mapped, so a stored outer size waits for
// it; without a window manager there is no frame and nobody activates the window.
class WindowPlacer : public QObject {
    Q_OBJECT

public:
    // Watches `window`, which must outlive the placer.
    explicit WindowPlacer(QWidget& window);

    // Moves a window that is not shown yet to a stored place (an absent coordinate stays) and then
    // onto the screens: a place off every screen (one unplugged since) would hide it. Returns
    // whether a place was given.
    static bool placeAt(QWidget& window, std::optional<int> left, std::optional<int> top);
    // The frame the window manager draws around `window`; empty until it is known.
    static QSize frameSize(const QWidget& window);

    bool placeAt(std::optional<int> left, std::optional<int> top) {
        return placeAt(window_, left, top);
    }
    // Sizes the window to a stored outer width and height; an absent one is a client size. The
    // frame comes off once known, unless the window has been resized since.
    void resizeOuter(std::optional<int> width, std::optional<int> height);
    void setStartMaximized(bool maximized) { startMaximized_ = maximized; }
    // Shows the window, maximized when it was closed so.
    void show();

    // Runs once after the window's first activation has been handled, so that a modal window can
    // open over it.
    void setFirstActivation(std::function<void()> action) { firstActivation_ = std::move(action); }
    bool firstActivationHandled() const { return firstActivationHandled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adoptFrame();
    void activated();

    QWidget& window_;
    std::optional<QSize> storedOuterSize_;
    bool widthIsOuter_ = false;
    bool heightIsOuter_ = false;
    bool startMaximized_ = false;
    bool activated_ = false;
    bool firstActivationHandled_ = false;
    std::function<void()> firstActivation_;
};

} // namespace quorvel
