#pragma once
// The preview form Velkaro_R: the fixed fire still, embedded as a child of
// the Display Properties dialog's preview pane.
#include <cstdint>
#include <optional>

namespace velkaro {

// Embeds the preview form in the window whose handle the command line gave
// and shows it, filled by the still (scaled when the pane is not 152 × 112).
// The form belongs to its window from then on: when the pane destroys it,
// the thread's message loop is told to end. Returns false, creating nothing,
// when there is no handle, the handle is 0 or it names no window: a form
// without a parent would never be closed by anyone.
bool StartPreviewWindow(std::optional<std::int32_t> parent_handle);

}  // namespace velkaro
