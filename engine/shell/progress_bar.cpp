#include "engine/shell/progress_bar.h"

#include "engine/shell/bar_geometry.h"

namespace {

enum { kBarTextSize = 8, kBaselineDrop = 10 };

const COLORREF kInitialBarColour = RGB(0, 0, 255);
const COLORREF kInitialBackColour = RGB(255, 255, 255);
const uint32_t kInitialMaximum = 100;

// One per window, in its user data.
struct BarRecord {
  COLORREF barColor;
  COLORREF backColor;
  uint32_t minimum;
  uint32_t maximum;
  float scale;
  uint32_t position;
};

BarRecord* RecordOf(HWND window) {
  return reinterpret_cast<BarRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CreateRecord(HWND window) {
  BarRecord* bar = static_cast<BarRecord*>(HeapAlloc(GetProcessHeap(), 0, sizeof(BarRecord)));
  if (!bar) return -1;  // no record, no control
  bar->barColor = kInitialBarColour;
  bar->backColor = kInitialBackColour;
  bar->minimum = 0;
  bar->maximum = kInitialMaximum;
  bar->scale = 1.0f;
  bar->position = 0;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
  return 0;
}

// The text over the done part in the background colour, over the rest in
// the bar colour: two opaque, clipped outputs of the same text.
void PaintBar(HWND window, const BarRecord* bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT whole, part;
  GetClientRect(window, &whole);
  part = whole;
  BarMeasure measure = MeasureBar(bar->position, bar->minimum, bar->maximum, bar->scale,
                                  whole.right - whole.left);
  char text[kBarTextSize];
  int length = wsprintfA(text, "%i%%", measure.percent);
  int x = (whole.right - whole.left) / 2;
  int y = (whole.bottom - whole.top + kBaselineDrop) / 2;
  part.right = measure.doneWidth;
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_BASELINE);
  SetTextColor(dc, bar->backColor);
  SetBkColor(dc, bar->barColor);
  ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &part, text, length, 0);
  part.left = part.right;
  part.right = whole.right;
  SetTextColor(dc, bar->barColor);
  SetBkColor(dc, bar->backColor);
  ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &part, text, length, 0);
  EndPaint(window, &paint);
}

void RunCommand(HWND window, BarRecord* bar, WPARAM code, LPARAM value) {
  uint32_t number = static_cast<uint32_t>(value);
  switch (code) {
    case kBarSetPosition:
      bar->position = ClampBarPosition(number, bar->minimum, bar->maximum);
      InvalidateRect(window, 0, TRUE);
      UpdateWindow(window);
      break;
    case kBarSetMaximum:
      bar->maximum = number;
      bar->scale = BarScale(bar->minimum, bar->maximum);
      break;
    case kBarSetMinimum:
      bar->minimum = number;
      bar->scale = BarScale(bar->minimum, bar->maximum);
      break;
    case kBarSetBarColour:
      bar->barColor = number;
      break;
    case kBarSetBackColour:
      bar->backColor = number;
      break;
  }
}

LRESULT CALLBACK ProgressBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BarRecord* bar = RecordOf(window);
  switch (message) {
    case WM_CREATE:
      return CreateRecord(window);
    case WM_DESTROY:
      if (bar) HeapFree(GetProcessHeap(), 0, bar);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return 0;
    case WM_PAINT:
      if (!bar) break;
      PaintBar(window, bar);
      return 0;
    case WM_COMMAND:
      if (bar) RunCommand(window, bar, wParam, lParam);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

extern "C" void ENGINE_API RegDiagrClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = ProgressBarProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
  windowClass.lpszClassName = PROGRESS_BAR_CLASS;
  RegisterClassA(&windowClass);
}
