#include "engine/shell/backdrop_paint.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/shell/backdrop_layout.h"

namespace {

COLORREF HeaderColour(const uint8_t rgb[3]) { return RGB(rgb[0], rgb[1], rgb[2]); }

void PaintBands(HDC dc, int width, int height) {
  BackdropGradient gradient;
  StartGradient(&gradient, g_state.header.backgroundColour, height);
  for (int top = 0, bottom = kFirstBandHeight; top < height;
       top = bottom, bottom = top + BandHeight(top, height)) {
    RECT band = {0, top, width, bottom};
    HBRUSH brush = CreateSolidBrush(GradientColour(&gradient));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    AdvanceGradient(&gradient);
  }
}

void PaintTitle(HDC dc, int titleHeight) {
  const PackageHeader* header = &g_state.header;
  LOGFONTA font = {};
  font.lfHeight = titleHeight;
  font.lfWeight = TitleWeight(header->titleBold);
  font.lfItalic = header->titleItalic;
  font.lfPitchAndFamily = kTitlePitchAndFamily;
  CopyText(font.lfFaceName, TitleFace(fontFace), LF_FACESIZE);
  HFONT titleFont = CreateFontIndirectA(&font);
  SelectObject(dc, titleFont);
  SetBkMode(dc, TRANSPARENT);
  int length = TextLength(titleText);
  SetTextColor(dc, HeaderColour(header->shadowColour));
  TextOutA(dc, kTitleX + kShadowOffset, kTitleY + kShadowOffset, titleText, length);
  SetTextColor(dc, HeaderColour(header->titleColour));
  TextOutA(dc, kTitleX, kTitleY, titleText, length);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  DeleteObject(titleFont);
}

void PaintCreditLine(HDC dc, int width, int height) {
  char credit[kCreditTextSize];
  g_GetString(kMsgMadeWith, credit, sizeof credit);
  SetTextColor(dc, RGB(255, 255, 255));
  SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
  TextOutA(dc, width - kCreditRight, height - kCreditBottom, credit, TextLength(credit));
}

}  // namespace

void PaintBackdrop(HWND window) {
  int titleHeight = TitleFontHeight(GetSystemMetrics(SM_CYSCREEN));
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  if (client.bottom > 0) {
    PaintBands(dc, client.right, client.bottom);
    PaintTitle(dc, titleHeight);
    if (ShowsCreditLine(titleHeight, client.bottom)) PaintCreditLine(dc, client.right, client.bottom);
  }
  EndPaint(window, &paint);
}
