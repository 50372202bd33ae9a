#pragma once
// Presentation through DirectDraw 7: a primary surface clipped to the saver
// window, a 320 × 240 off-screen surface in the display's own format that
// receives the frame's pixels, and one stretching blit of it to the window.
// The pixel logic is portable (presentation.h); this file only owns the
// DirectDraw objects. ddraw.dll is loaded at run time, so the program starts
// where it is missing or has no DirectDraw 7 (Windows NT 4, Windows 95
// without DirectX 7) and shows its frames through GDI there
// (gdi_presentation_win32.h). The header names no Windows type, so
// including it does not pull in <windows.h>: windows are passed as void*
// (an HWND).
#include <cstdint>
#include <memory>
#include <utility>

#include "common/com_win32.h"
#include "common/geometry.h"
#include "effects/palette.h"
#include "effects/presentation.h"

struct IDirectDraw7;
struct IDirectDrawSurface7;
struct IDirectDrawClipper;

namespace velkaro {

// Cooperative-level flags of the saver: DDSCL_FULLSCREEN + DDSCL_EXCLUSIVE.
// Exclusive mode keeps the display mode; the saver never changes it.
inline constexpr std::uint32_t kFullscreenExclusive = 17;
// DDSCAPS_OFFSCREENPLAIN.
inline constexpr std::uint32_t kOffscreenPlainCaps = 64;

// The library DirectDrawCreateEx is looked up in.
inline constexpr char kDirectDrawLibrary[] = "ddraw.dll";

// The DirectDraw object and the surfaces it creates. Results are HRESULTs
// (0 is success), as DirectDraw gives them.
class ddclass {
 public:
  ddclass();
  ~ddclass();
  ddclass(const ddclass&) = delete;
  ddclass& operator=(const ddclass&) = delete;

  // The DirectDraw object of the default display driver, made by
  // DirectDrawCreateEx of `library`, which stays loaded for as long as this
  // object lives. A failure where the library or the function is missing.
  long Create(const char* library = kDirectDrawLibrary);
  // Takes over a DirectDraw object made by the caller.
  void Adopt(ComOwner<IDirectDraw7> direct_draw);
  // The object's cooperative level for `window`.
  long SetCooperativeLevel(void* window, std::uint32_t cooperative_flags);
  // Create, then the cooperative level.
  long Init(void* window, std::uint32_t cooperative_flags);
  // The primary surface, with a clipper bound to `window` so that the blit
  // stays inside it. Empty on failure.
  ComOwner<IDirectDrawSurface7> CreatePrimary(void* window);
  // A surface of width × height with `caps` (the display's pixel format,
  // since none is asked for); `rect` becomes 0, 0, width, height. With a zero
  // width or height the size is left to DirectDraw and `rect` is unchanged.
  ComOwner<IDirectDrawSurface7> CreateSurf(Rect& rect, std::int32_t width, std::int32_t height,
                                           std::uint32_t caps);
  // The RGB bit count of the display mode; 0 when it cannot be read.
  std::uint32_t DisplayBitCount();

  IDirectDraw7* dd() const { return dd_.get(); }

 private:
  struct LoadedLibrary;
  // Declared before the object, so that the object is released before the
  // library that holds its code is freed.
  std::unique_ptr<LoadedLibrary> library_;
  ComOwner<IDirectDraw7> dd_;
};

// A DirectDraw surface as the portable code's Surface: locked whole, written
// through the locked pointer and pitch.
class DirectDrawSurfaceSeam final : public Surface {
 public:
  explicit DirectDrawSurfaceSeam(IDirectDrawSurface7* surface);
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  std::optional<LockedPixels> Lock() override;
  void Unlock() override;
  // The HRESULT of the last Lock.
  long last_lock_result() const { return last_lock_result_; }

 private:
  IDirectDrawSurface7* surface_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  long last_lock_result_ = 0;
};

// The presentation of one saver run: DDInit and SetPalette once, then render
// every frame.
class DirectDrawPresentation {
 public:
  DirectDrawPresentation();
  ~DirectDrawPresentation();
  DirectDrawPresentation(const DirectDrawPresentation&) = delete;
  DirectDrawPresentation& operator=(const DirectDrawPresentation&) = delete;

  // Creates the DirectDraw object at `cooperative_flags` for `window`, the
  // primary surface, the off-screen surface and reads the display's depth.
  // False when a step failed; the steps after it are left undone, and render
  // tries again to create the surfaces. start() tells how far it came.
  bool DDInit(void* window, std::uint32_t cooperative_flags = kFullscreenExclusive);
  // The same with DirectDrawCreateEx looked up in another library: a test's
  // library that lacks it.
  bool DDInitFrom(const char* library, void* window,
                  std::uint32_t cooperative_flags = kFullscreenExclusive);
  // The same with a DirectDraw object made by the caller, whose reference
  // the presentation takes over: a test's stand-in that keeps a rule of
  // Windows' DirectDraw that Wine's does not.
  bool DDInit(ComOwner<IDirectDraw7> direct_draw, void* window,
              std::uint32_t cooperative_flags = kFullscreenExclusive);

  // The run's PalLUT, as initpal built it, given once before the first
  // frame. On a 16-bit display it is converted to 5-6-5 here, and again
  // whenever the surfaces are made anew for a display of another depth.
  void SetPalette(const PaletteTable& PalLUT);

  // Presents a frame: the frame buffer's visible part (RenderRect) through
  // the palette into the off-screen surface, then DDPresent. Surfaces lost
  // to another full-screen program or a display change are restored (or,
  // after a change of mode, made anew) and presentation goes on; a frame
  // that cannot be shown is dropped and false returned.
  bool render(const IndexImage& FrameBuf);

  // Stretches the off-screen surface over the window's screen rectangle.
  bool DDPresent();

  // How far the last DDInit came (kUnavailable before one).
  DirectDrawStart start() const { return start_; }

  // The display's RGB bit count as last read (0 before DDInit).
  std::uint32_t rgb_bit_count() const { return rgb_bit_count_; }

  // The DirectDraw objects, for tests that lose the surfaces or change the
  // display mode on purpose; null while they do not exist.
  IDirectDrawSurface7* primary_surface() const { return PrimarySurf.get(); }
  IDirectDrawSurface7* back_surface() const { return BackSurf.get(); }
  IDirectDraw7* direct_draw() const { return DDObj.dd(); }

 private:
  bool Start(long create_result, void* window, std::uint32_t cooperative_flags);
  void ReleaseSurfaces();
  bool CreateSurfaces();
  bool SurfacesReady();

  void* window_ = nullptr;
  DirectDrawStart start_ = DirectDrawStart::kUnavailable;
  // The surfaces come after the DirectDraw object: they are released first.
  ddclass DDObj;
  ComOwner<IDirectDrawSurface7> PrimarySurf;
  ComOwner<IDirectDrawSurface7> BackSurf;
  Rect SrcRect = Rect::At({}, kShownPictureSize);  // the off-screen surface, the picture's size
  std::uint32_t rgb_bit_count_ = 0;

  // PalLUT as given, and its form for the display's depth as last read.
  PaletteTable palette_{};
  PaletteTable display_table_{};
};

}  // namespace velkaro
