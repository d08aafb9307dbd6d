#include "ui/win32/PictureBox.h"

#include "ui/win32/Images.h"
#include "ui/win32/Layout.h"

namespace Win32Ui {
namespace {

// What a picture box shows, kept with its window.
struct Picture {
  COLORREF back = 0;
  HBITMAP bitmap = nullptr;
  HICON icon = nullptr;
  HFONT font = nullptr;  // kept, as every control of a table has one, though none is drawn
};

void Paint(HWND window, const Picture& picture) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  const HBRUSH back = CreateSolidBrush(picture.back);
  FillRect(dc, &client, back);
  DeleteObject(back);
  if (picture.bitmap) {
    BITMAP size;
    GetObjectA(picture.bitmap, sizeof size, &size);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, picture.bitmap);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  if (picture.icon) DrawIconEx(dc, 0, 0, picture.icon, 32, 32, 0, nullptr, DI_NORMAL);
  EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picture = reinterpret_cast<Picture*>(GetWindowLongA(window, GWL_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongA(window, GWL_USERDATA,
                     reinterpret_cast<LONG>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_NCDESTROY:
      delete picture;
      SetWindowLongA(window, GWL_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills it all
    case WM_PAINT:
      if (picture) {
        Paint(window, *picture);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_SETFONT:
      if (picture) picture->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return picture ? reinterpret_cast<LRESULT>(picture->font) : 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXA pictureClass = {};
    pictureClass.cbSize = sizeof pictureClass;
    pictureClass.lpfnWndProc = PictureProc;
    pictureClass.hInstance = GetModuleHandleA(nullptr);
    pictureClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    pictureClass.lpszClassName = kPictureClass;
    return RegisterClassExA(&pictureClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND MakePictureBox(const ui::ControlRow& row, HWND parent, int id, const RECT& place) {
  RegisterOnce();
  auto* picture = new Picture;
  // Without a colour of its own a picture box shows the window's face colour.
  picture->back = row.backColor ? RGB(row.backColor->red, row.backColor->green, row.backColor->blue)
                                : GetSysColor(COLOR_BTNFACE);
  if (row.flags & ui::kBanner) picture->bitmap = Win32Images::Banner();
  if (row.flags & ui::kAppIcon) picture->icon = Win32Images::AppIcon(32);
  const DWORD edge = (row.flags & ui::kNoBorder) ? 0 : WS_EX_CLIENTEDGE;
  HWND window = CreateWindowExA(edge, kPictureClass, "", WS_CHILD | WS_CLIPSIBLINGS, place.left,
                                place.top, place.right - place.left, place.bottom - place.top,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), picture);
  if (!window) delete picture;
  return window;
}

}  // namespace Win32Ui
