#include "effects/directdraw_win32.h"

#include <windows.h>

#include <ddraw.h>

#include <algorithm>
#include <utility>

#include "common/geometry_win32.h"
#include "common/library_win32.h"

namespace velkaro {
namespace {

HWND AsWindow(void* window) { return static_cast<HWND>(window); }

DDSURFACEDESC2 EmptyDesc() {
  DDSURFACEDESC2 desc{};
  desc.dwSize = sizeof desc;
  return desc;
}

bool IsLost(IDirectDrawSurface7* surface) { return surface->IsLost() == DDERR_SURFACELOST; }

}  // namespace

// ddraw.dll and its DirectDrawCreateEx, which DirectX 7 brought: a system
// without them gets no DirectDraw object instead of no program.
struct ddclass::LoadedLibrary {
  using CreateFunction = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);
  Library library;
  CreateFunction create = nullptr;
};

ddclass::ddclass() = default;
ddclass::~ddclass() = default;

long ddclass::Create(const char* library) {
  dd_.reset();
  library_ = std::make_unique<LoadedLibrary>();
  library_->library.reset(LoadLibraryA(library));
  library_->create =
      LibraryFunction<LoadedLibrary::CreateFunction>(library_->library, "DirectDrawCreateEx");
  if (!library_->create) return DDERR_NODIRECTDRAWSUPPORT;
  // A null device identifier is the default display driver.
  return library_->create(nullptr, reinterpret_cast<void**>(dd_.put()), IID_IDirectDraw7, nullptr);
}

void ddclass::Adopt(ComOwner<IDirectDraw7> direct_draw) { dd_ = std::move(direct_draw); }

long ddclass::SetCooperativeLevel(void* window, std::uint32_t cooperative_flags) {
  if (!dd_) return DDERR_INVALIDPARAMS;
  return dd_->SetCooperativeLevel(AsWindow(window), cooperative_flags);
}

long ddclass::Init(void* window, std::uint32_t cooperative_flags) {
  const HRESULT result = Create();
  if (FAILED(result)) return result;
  return SetCooperativeLevel(window, cooperative_flags);
}

ComOwner<IDirectDrawSurface7> ddclass::CreatePrimary(void* window) {
  ComOwner<IDirectDrawSurface7> surface;
  if (!dd_) return surface;
  DDSURFACEDESC2 desc = EmptyDesc();
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (FAILED(dd_->CreateSurface(&desc, surface.put(), nullptr))) return {};

  // The surface keeps its own reference to the clipper.
  ComOwner<IDirectDrawClipper> clipper;
  if (FAILED(dd_->CreateClipper(0, clipper.put(), nullptr)) ||
      FAILED(clipper->SetHWnd(0, AsWindow(window))) || FAILED(surface->SetClipper(clipper.get()))) {
    return {};
  }
  return surface;
}

ComOwner<IDirectDrawSurface7> ddclass::CreateSurf(Rect& rect, std::int32_t width,
                                                  std::int32_t height, std::uint32_t caps) {
  ComOwner<IDirectDrawSurface7> surface;
  if (!dd_) return surface;
  DDSURFACEDESC2 desc = EmptyDesc();
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = caps;
  if (width != 0 && height != 0) {
    desc.dwFlags |= DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    rect.right = width;
    rect.bottom = height;
  }
  if (FAILED(dd_->CreateSurface(&desc, surface.put(), nullptr))) return {};
  return surface;
}

std::uint32_t ddclass::DisplayBitCount() {
  if (!dd_) return 0;
  DDSURFACEDESC2 desc = EmptyDesc();
  if (FAILED(dd_->GetDisplayMode(&desc))) return 0;
  return desc.ddpfPixelFormat.dwRGBBitCount;
}

DirectDrawSurfaceSeam::DirectDrawSurfaceSeam(IDirectDrawSurface7* surface) : surface_(surface) {
  DDSURFACEDESC2 desc = EmptyDesc();
  if (surface_ && SUCCEEDED(surface_->GetSurfaceDesc(&desc))) {
    width_ = std::int32_t(desc.dwWidth);
    height_ = std::int32_t(desc.dwHeight);
  }
}

std::optional<LockedPixels> DirectDrawSurfaceSeam::Lock() {
  if (!surface_) return std::nullopt;
  DDSURFACEDESC2 desc = EmptyDesc();
  last_lock_result_ = surface_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
  if (FAILED(last_lock_result_)) return std::nullopt;
  // The lock also tells the surface's own format; a display below 8 bits
  // per pixel has no surface this program can fill, and gets one byte.
  const int bytes = std::clamp(int(desc.ddpfPixelFormat.dwRGBBitCount / 8), 1, 4);
  return LockedPixels{static_cast<std::uint8_t*>(desc.lpSurface), desc.lPitch, bytes};
}

void DirectDrawSurfaceSeam::Unlock() {
  if (surface_) surface_->Unlock(nullptr);
}

DirectDrawPresentation::DirectDrawPresentation() = default;
DirectDrawPresentation::~DirectDrawPresentation() = default;

bool DirectDrawPresentation::DDInit(void* window, std::uint32_t cooperative_flags) {
  return DDInitFrom(kDirectDrawLibrary, window, cooperative_flags);
}

bool DirectDrawPresentation::DDInitFrom(const char* library, void* window,
                                        std::uint32_t cooperative_flags) {
  ReleaseSurfaces();
  return Start(DDObj.Create(library), window, cooperative_flags);
}

bool DirectDrawPresentation::DDInit(ComOwner<IDirectDraw7> direct_draw, void* window,
                                    std::uint32_t cooperative_flags) {
  ReleaseSurfaces();
  const bool made = bool(direct_draw);
  DDObj.Adopt(std::move(direct_draw));
  return Start(made ? DD_OK : DDERR_NODIRECTDRAWSUPPORT, window, cooperative_flags);
}

bool DirectDrawPresentation::Start(long create_result, void* window,
                                   std::uint32_t cooperative_flags) {
  window_ = window;
  start_ = DirectDrawStart::kUnavailable;
  if (FAILED(create_result) || !DDObj.dd()) return false;
  start_ = DirectDrawStart::kRefused;
  if (FAILED(DDObj.SetCooperativeLevel(window, cooperative_flags))) return false;
  start_ = DirectDrawStart::kSurfacesPending;
  if (!CreateSurfaces()) return false;
  start_ = DirectDrawStart::kReady;
  return true;
}

// Surfaces of an earlier DirectDraw object go before that object and its
// library are let go.
void DirectDrawPresentation::ReleaseSurfaces() {
  BackSurf.reset();
  PrimarySurf.reset();
}

bool DirectDrawPresentation::CreateSurfaces() {
  // A DirectDraw object has one primary surface at a time: the old one (and
  // with it its clipper) goes before the new one is asked for, or the
  // request is refused while the old one is still held.
  ReleaseSurfaces();
  PrimarySurf = DDObj.CreatePrimary(window_);
  if (!PrimarySurf) return false;
  BackSurf = DDObj.CreateSurf(SrcRect, kShownPictureSize.width, kShownPictureSize.height,
                              kOffscreenPlainCaps);
  if (!BackSurf) return false;
  rgb_bit_count_ = DDObj.DisplayBitCount();
  // A display whose mode changed may have another depth.
  display_table_ = DisplayPalette(palette_, rgb_bit_count_);
  return true;
}

// A surface is lost when another program takes the display in exclusive
// mode or the display mode changes. A restore brings back its memory (the
// content is gone, but every frame rewrites the whole off-screen surface);
// after a change of mode it fails with DDERR_WRONGMODE and the surfaces are
// made anew in the new format. While another program holds the display the
// restore keeps failing, and each frame simply tries again.
bool DirectDrawPresentation::SurfacesReady() {
  if (!DDObj.dd()) return false;
  if (!PrimarySurf || !BackSurf) return CreateSurfaces();
  if (!IsLost(PrimarySurf.get()) && !IsLost(BackSurf.get())) return true;
  HRESULT result = DD_OK;
  for (IDirectDrawSurface7* surface : {PrimarySurf.get(), BackSurf.get()}) {
    if (IsLost(surface) && FAILED(result = surface->Restore())) break;
  }
  if (result == DDERR_WRONGMODE) return CreateSurfaces();
  return SUCCEEDED(result);
}

void DirectDrawPresentation::SetPalette(const PaletteTable& PalLUT) {
  palette_ = PalLUT;
  display_table_ = DisplayPalette(palette_, rgb_bit_count_);
}

bool DirectDrawPresentation::render(const IndexImage& FrameBuf) {
  if (!SurfacesReady()) return false;
  DirectDrawSurfaceSeam back(BackSurf.get());
  if (velkaro::render(FrameBuf, display_table_, back) == DrawStatus::kUnavailable) {
    return false;
  }
  return DDPresent();
}

bool DirectDrawPresentation::DDPresent() {
  if (!PrimarySurf || !BackSurf) return false;
  RECT window_rect;
  if (!GetWindowRect(AsWindow(window_), &window_rect)) return false;
  RECT source = ToRECT(SrcRect);
  return SUCCEEDED(PrimarySurf->Blt(&window_rect, BackSurf.get(), &source, DDBLT_WAIT, nullptr));
}

}  // namespace velkaro
