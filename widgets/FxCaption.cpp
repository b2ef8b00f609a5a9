#include "widgets/FxCaption.h"

#include "ui/Canvas.h"

namespace setup {

unsigned AlignmentFlags(TFxAlignment a) {
    static constexpr unsigned Horizontal[] = {DTF_LEFT, DTF_CENTER, DTF_RIGHT};
    static constexpr unsigned Vertical[] = {0, DTF_VCENTER, DTF_BOTTOM};
    return Vertical[AlignmentRow(a)] | Horizontal[AlignmentColumn(a)];
}

void TFx3DCaption::Assign(const TFxObject& source) {
    const auto* effect = source.AsEffect();
    if (!effect)
        AssignError(source);
    CopyEffect(*effect);
    NotifyChange();
}

int TFx3DCaption::StyleExtent(TFxThreeDStyle style) const {
    switch (style) {
    case tdSunken:
    case tdRaised:
        return Props.LightDepth;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised:
        return Props.LightDepth + Props.ShadowDepth;
    case tdShadow:
        return Props.ShadowDepth;
    default:
        return 0;
    }
}

void TFxCaption::Assign(const TFxObject& source) {
    const auto* caption = source.AsCaption();
    if (!caption) {
        TFx3DCaption::Assign(source);
        return;
    }
    CopyEffect(*caption);
    AngleValue = caption->AngleValue;
    Origin = caption->Origin;
    NotifyChange();
}

void TFxCaption::SetAngle(int degrees) {
    CheckRange("Angle", degrees, 0, MaxAngle);
    Change(AngleValue, static_cast<uint16_t>(degrees % MaxAngle));
}

void TFxCaption::SetTextOrigin(uint16_t x, uint16_t y) {
    const bool wasLocked = Locked();
    LockChange();
    SetPosX(x);
    SetPosY(y);
    if (!wasLocked)
        UnlockChange(false);
}

} // namespace setup
