#pragma once
// Hit areas of the plan view: a rectangle on a drawn page that reacts to a click. A page routine
// creates them in logical units; the plan view converts them to screen units after painting.
// User-interface thread only.

#include <memory>

#include <QPoint>

class QWidget;

namespace terminor {

/// A rectangle with exclusive right and bottom edges (a point on them is outside).
struct TIntRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(QPoint p) const { return p.x() >= Left && p.x() < Right && p.y() >= Top && p.y() < Bottom; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

class TActionRect {
public:
    virtual ~TActionRect() = default;
    virtual TIntRect getRect() const = 0;
    virtual void setRect(int x1, int y1, int width, int height) = 0;
    virtual void setRect(const TIntRect& rect) = 0;
    virtual QWidget* getPaintBoxOwner() const = 0;
    virtual void setPaintBoxOwner(QWidget* paintBox) = 0;
    /// The reaction to a click at `screenPosition` (paint-box coordinates).
    virtual void DoAction(QPoint screenPosition) = 0;
};

using TActionRectPtr = std::shared_ptr<TActionRect>;

/// The rectangle and owner of a hit area; descendants supply the action.
class TActionRectBase : public TActionRect {
public:
    TIntRect getRect() const override { return Rect; }
    void setRect(int x1, int y1, int width, int height) override { Rect = {x1, y1, x1 + width, y1 + height}; }
    void setRect(const TIntRect& rect) override { Rect = rect; }
    QWidget* getPaintBoxOwner() const override { return PaintBoxOwner; }
    void setPaintBoxOwner(QWidget* paintBox) override { PaintBoxOwner = paintBox; }

    TIntRect Rect;
    QWidget* PaintBoxOwner = nullptr;
};

} // namespace terminor
