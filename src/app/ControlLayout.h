#pragma once

// Geometry of the control panel and the pane top bars: design positions and the resize rules.
namespace ControlLayout {

inline constexpr int kClientWidth = 795;
inline constexpr int kClientHeight = 553;

// trbProgress and edtCurrPlay: panel width less the volume bar, the two labels of the second row and 45.
inline int ProgressWidth(int panelWidth, int volumeWidth, int progressLabelWidth, int volumeLabelWidth)
{
    return panelWidth - volumeWidth - progressLabelWidth - volumeLabelWidth - 45;
}

// A control anchored to the right edge keeps the distance it had at design width.
inline int RightAnchoredX(int panelWidth, int designX, int designPanelWidth = kClientWidth)
{
    return panelWidth - (designPanelWidth - designX);
}

} // namespace ControlLayout
