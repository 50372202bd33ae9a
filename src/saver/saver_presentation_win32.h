#pragma once
// The frames of a run on the saver window and its monitor covers: DirectDraw
// where it can be had, GDI where not.
#include <optional>

#include "effects/directdraw_win32.h"
#include "effects/gdi_presentation_win32.h"
#include "saver/frame_log_win32.h"
#include "saver/saver_ports.h"
#include "saver/saver_window_win32.h"

namespace velkaro {

class Win32SaverPresentation final : public SaverPresentation {
 public:
  explicit Win32SaverPresentation(SaverWindow& window) : window_(window) {}

  // A DirectDraw that refuses exclusive mode or cannot be had at all is let
  // go at once, library and all; the run shows its frames through GDI. The
  // load handler sets DirectDraw up before it builds the palette, so this
  // comes before SetPalette.
  void DDInit();
  void SetPalette(const PaletteTable& PalLUT) override;
  void Present(const IndexImage& frame) override;

 private:
  void PresentThroughDirectDraw(const IndexImage& frame);
  void PresentThroughGdi(const IndexImage& frame);

  SaverWindow& window_;
  // Empty before DDInit and where the run presents through GDI.
  std::optional<DirectDrawPresentation> direct_draw_;
  GdiPresentation gdi_;
  ProcessFrameLog frame_log_;
};

}  // namespace velkaro
