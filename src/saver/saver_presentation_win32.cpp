#include "saver/saver_presentation_win32.h"

namespace velkaro {
namespace {

// The current frame stretched over a rectangle of a window, through GDI.
auto StretchThrough(GdiPresentation& gdi) {
  return [&gdi](HDC dc, const Rect& rect) { return gdi.StretchFrameTo(dc, rect); };
}

}  // namespace

void Win32SaverPresentation::DDInit() {
  direct_draw_.emplace();
  direct_draw_->DDInit(window_.handle());
  if (PresentsThroughGdi(direct_draw_->start())) direct_draw_.reset();
}

void Win32SaverPresentation::SetPalette(const PaletteTable& PalLUT) {
  if (direct_draw_) direct_draw_->SetPalette(PalLUT);
  gdi_.SetPalette(PalLUT);
}

void Win32SaverPresentation::Present(const IndexImage& frame) {
  if (direct_draw_) {
    PresentThroughDirectDraw(frame);
  } else {
    PresentThroughGdi(frame);
  }
}

// The primary surface reaches the primary screen only: the monitors beyond
// it show the same frame through GDI, with the same stretch. (GDI's own
// StretchBlt of the back surface would pick other picture columns here and
// there.)
void Win32SaverPresentation::PresentThroughDirectDraw(const IndexImage& frame) {
  if (!direct_draw_->render(frame)) return;
  frame_log_.FramePresented();
  if (window_.CoveredMonitors().empty()) return;
  gdi_.NewFrame(frame);
  window_.PaintCovers(StretchThrough(gdi_));
}

// Converted once, stretched once per size, copied to every window.
void Win32SaverPresentation::PresentThroughGdi(const IndexImage& frame) {
  gdi_.NewFrame(frame);
  if (window_.PaintWindow(StretchThrough(gdi_))) frame_log_.FramePresented();
  window_.PaintCovers(StretchThrough(gdi_));
}

}  // namespace velkaro
