#pragma once

// A label that can attach itself to another control and keep its place
// beside or inside it while that control moves or changes size.

#include "controls/CfMargins.h"
#include "platform/Label.h"

#include <QPointer>

namespace cf {

enum class THorizontalPosition { hpLeft, hpCenter, hpRight };
using enum THorizontalPosition;
enum class TVerticalPosition { vpTop, vpCenter, vpBottom };
using enum TVerticalPosition;

class TCfLabel : public TLabel {
public:
    explicit TCfLabel(QWidget* parent = nullptr);
    ~TCfLabel() override;

    TControl* Associate() const { return associate_; }
    // Releases the previous control; the label itself is refused.
    void SetAssociate(TControl* c);
    THorizontalPosition HorizontalPosition() const { return hpos_; }
    void SetHorizontalPosition(THorizontalPosition p);
    TVerticalPosition VerticalPosition() const { return vpos_; }
    void SetVerticalPosition(TVerticalPosition p);
    bool InnerHorizontal() const { return innerH_; }
    void SetInnerHorizontal(bool on);
    bool InnerVertical() const { return innerV_; }
    void SetInnerVertical(bool on);
    TMargins& InnerMargins() { return margins_; }
    // Copies the values that differ, then repositions.
    void SetInnerMargins(const TMargins& m);

    void AdjustBounds() override;
    // Places the label by its associate (nothing without one).
    void Reposition();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Release();

    QPointer<TControl> associate_;
    QMetaObject::Connection destroyed_;
    THorizontalPosition hpos_ = hpLeft;
    TVerticalPosition vpos_ = vpTop;
    bool innerH_ = true;
    bool innerV_ = false;
    TMargins margins_;
    bool positioning_ = false;
};

} // namespace cf
