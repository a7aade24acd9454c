#pragma once

// Small value objects that carry indents and margins for the panels, header
// panels, labels and the alert window, and tell their owner of changes.

#include <functional>

namespace cf {

class TCfIndent {
public:
    virtual ~TCfIndent() = default;
    int Left() const { return left_; }
    int Top() const { return top_; }
    // Every assignment notifies the owner.
    void SetLeft(int v) { left_ = v; Changed(); }
    void SetTop(int v) { top_ = v; Changed(); }
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    int left_ = 9;
    int top_ = 5;
};

class TCfMargins : public TCfIndent {
public:
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    void SetRight(int v) { right_ = v; Changed(); }
    void SetBottom(int v) { bottom_ = v; Changed(); }
    // All four at once, one notification.
    void SetMargins(int left, int top, int right, int bottom)
    {
        left_ = left;
        top_ = top;
        right_ = right;
        bottom_ = bottom;
        Changed();
    }
    // Copies the values (not the owner's notification) and notifies once.
    void Assign(const TCfMargins& o) { SetMargins(o.left_, o.top_, o.right_, o.bottom_); }

private:
    int right_ = 8;
    int bottom_ = 4;
};

class TMargins {
public:
    int Horizontal() const { return horizontal_; }
    int Vertical() const { return vertical_; }
    // Notifies only when the value changes.
    void SetHorizontal(int v)
    {
        if (v == horizontal_)
            return;
        horizontal_ = v;
        Update();
    }
    void SetVertical(int v)
    {
        if (v == vertical_)
            return;
        vertical_ = v;
        Update();
    }
    std::function<void()> OnUpdate;

private:
    void Update()
    {
        if (OnUpdate)
            OnUpdate();
    }
    int horizontal_ = 0;
    int vertical_ = 0;
};

} // namespace cf
