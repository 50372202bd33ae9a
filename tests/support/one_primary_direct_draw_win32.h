#pragma once
// A DirectDraw object that keeps Windows' rule of one primary surface at a
// time: while a primary surface it made is still held by anyone, it refuses
// another with DDERR_PRIMARYSURFACEALREADYEXISTS. Wine's DirectDraw makes a
// second one without complaint, so on the test bed only this stand-in shows
// whether a program lets the old primary surface go before it asks for a
// new one. Everything else goes to the system's DirectDraw object it wraps.
#include <windows.h>

#include <ddraw.h>

#include <memory>
#include <utility>

#include "common/com_win32.h"
#include "effects/directdraw_win32.h"

namespace velkaro::testing {

class OnePrimaryDirectDraw final : public IDirectDraw7 {
 public:
  // The system's DirectDraw object wrapped in a stand-in; empty when the
  // system gives none. The caller owns the one reference.
  static ComOwner<IDirectDraw7> Create() {
    ComOwner<IDirectDraw7> system, made;
    if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(system.put()), IID_IDirectDraw7,
                                  nullptr)))
      return made;
    // A COM object frees itself at its last Release.
    *made.put() = std::make_unique<OnePrimaryDirectDraw>(std::move(system)).release();
    return made;
  }
  explicit OnePrimaryDirectDraw(ComOwner<IDirectDraw7> system) : system_(std::move(system)) {}

  // How many primary surfaces it refused.
  int refused() const { return refused_; }

  STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirectDraw7)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
  STDMETHOD_(ULONG, Release)() override {
    const ULONG left = --references_;
    if (left == 0) std::unique_ptr<OnePrimaryDirectDraw>{this};
    return left;
  }

  STDMETHOD(CreateSurface)
  (LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface, IUnknown* outer) override {
    const bool primary = desc && (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
    if (!primary) return system_->CreateSurface(desc, surface, outer);
    if (PrimaryHeldElsewhere()) {
      ++refused_;
      return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    primary_.reset();
    const HRESULT result = system_->CreateSurface(desc, surface, outer);
    if (SUCCEEDED(result) && surface && *surface) {
      (*surface)->AddRef();
      *primary_.put() = *surface;
    }
    return result;
  }

  STDMETHOD(Compact)() override { return system_->Compact(); }
  STDMETHOD(CreateClipper)(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) override {
    return system_->CreateClipper(flags, clipper, outer);
  }
  STDMETHOD(CreatePalette)
  (DWORD flags, LPPALETTEENTRY colours, LPDIRECTDRAWPALETTE* palette, IUnknown* outer) override {
    return system_->CreatePalette(flags, colours, palette, outer);
  }
  STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE7 surface, LPDIRECTDRAWSURFACE7* copy) override {
    return system_->DuplicateSurface(surface, copy);
  }
  STDMETHOD(EnumDisplayModes)
  (DWORD flags, LPDDSURFACEDESC2 desc, LPVOID context, LPDDENUMMODESCALLBACK2 callback) override {
    return system_->EnumDisplayModes(flags, desc, context, callback);
  }
  STDMETHOD(EnumSurfaces)
  (DWORD flags, LPDDSURFACEDESC2 desc, LPVOID context,
   LPDDENUMSURFACESCALLBACK7 callback) override {
    return system_->EnumSurfaces(flags, desc, context, callback);
  }
  STDMETHOD(FlipToGDISurface)() override { return system_->FlipToGDISurface(); }
  STDMETHOD(GetCaps)(LPDDCAPS driver, LPDDCAPS emulation) override {
    return system_->GetCaps(driver, emulation);
  }
  STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC2 desc) override {
    return system_->GetDisplayMode(desc);
  }
  STDMETHOD(GetFourCCCodes)(LPDWORD count, LPDWORD codes) override {
    return system_->GetFourCCCodes(count, codes);
  }
  STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE7* surface) override {
    return system_->GetGDISurface(surface);
  }
  STDMETHOD(GetMonitorFrequency)(LPDWORD frequency) override {
    return system_->GetMonitorFrequency(frequency);
  }
  STDMETHOD(GetScanLine)(LPDWORD line) override { return system_->GetScanLine(line); }
  STDMETHOD(GetVerticalBlankStatus)(WINBOOL* in_blank) override {
    return system_->GetVerticalBlankStatus(in_blank);
  }
  STDMETHOD(Initialize)(GUID* guid) override { return system_->Initialize(guid); }
  STDMETHOD(RestoreDisplayMode)() override { return system_->RestoreDisplayMode(); }
  STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override {
    return system_->SetCooperativeLevel(window, flags);
  }
  STDMETHOD(SetDisplayMode)
  (DWORD width, DWORD height, DWORD bits, DWORD refresh, DWORD flags) override {
    return system_->SetDisplayMode(width, height, bits, refresh, flags);
  }
  STDMETHOD(WaitForVerticalBlank)(DWORD flags, HANDLE event) override {
    return system_->WaitForVerticalBlank(flags, event);
  }
  STDMETHOD(GetAvailableVidMem)(LPDDSCAPS2 caps, LPDWORD total, LPDWORD free) override {
    return system_->GetAvailableVidMem(caps, total, free);
  }
  STDMETHOD(GetSurfaceFromDC)(HDC dc, LPDIRECTDRAWSURFACE7* surface) override {
    return system_->GetSurfaceFromDC(dc, surface);
  }
  STDMETHOD(RestoreAllSurfaces)() override { return system_->RestoreAllSurfaces(); }
  STDMETHOD(TestCooperativeLevel)() override { return system_->TestCooperativeLevel(); }
  STDMETHOD(GetDeviceIdentifier)(LPDDDEVICEIDENTIFIER2 identifier, DWORD flags) override {
    return system_->GetDeviceIdentifier(identifier, flags);
  }
  STDMETHOD(StartModeTest)(LPSIZE modes, DWORD count, DWORD flags) override {
    return system_->StartModeTest(modes, count, flags);
  }
  STDMETHOD(EvaluateMode)(DWORD flags, DWORD* timeout) override {
    return system_->EvaluateMode(flags, timeout);
  }

 private:
  // The stand-in keeps a reference of its own to the last primary surface,
  // so one more than its own means that someone else still holds it.
  bool PrimaryHeldElsewhere() const {
    if (!primary_) return false;
    primary_->AddRef();
    return primary_->Release() > 1;
  }

  ComOwner<IDirectDraw7> system_;
  ComOwner<IDirectDrawSurface7> primary_;
  ULONG references_ = 1;
  int refused_ = 0;
};

}  // namespace velkaro::testing
