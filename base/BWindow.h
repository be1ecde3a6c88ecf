#pragma once
#include <cstdint>

// Abstract window. Coordinates are client pixels; key codes are Windows
// virtual-key numbers. The platform window implements the window operations,
// the engine screen the handlers.
class BWindow {
public:
    struct Point {
        int32_t x = 0;
        int32_t y = 0;
    };

    BWindow() = default;
    BWindow(const BWindow&) = delete;
    BWindow& operator=(const BWindow&) = delete;

    virtual ~BWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Enable() = 0;
    virtual void Disable() = 0;
    virtual void BringToTop() = 0;
    virtual void Repaint() = 0;
    virtual void Close() = 0;
    virtual void GetCursorPosition(Point* pPoint) = 0;
    virtual void SetCursorPosition(int32_t x, int32_t y) = 0;
    virtual void MoveDeviceCursor(int32_t x, int32_t y) = 0;
    virtual void ShowPointer(int32_t fShow) = 0;
    virtual void SetTitle(const char* szText) = 0;
    virtual int32_t IsVisible() = 0;
    virtual int32_t OnSetCursor() = 0;
    virtual void OnClose() = 0;
    // A minimised window reports 0 x 0.
    virtual void OnSize(int32_t nWidth, int32_t nHeight) = 0;
    virtual void OnMove(int32_t x, int32_t y) = 0;
    virtual void OnMouseMove(int32_t x, int32_t y) = 0;
    virtual void OnNonClientMouseMove(int32_t x, int32_t y) = 0;
    virtual void OnLeftButtonDown(int32_t x, int32_t y) = 0;
    virtual void OnLeftDoubleClick(int32_t x, int32_t y) = 0;
    virtual void OnRightButtonDown(int32_t x, int32_t y) = 0;
    virtual void OnRightDoubleClick(int32_t x, int32_t y) = 0;
    virtual void OnLeftButtonUp(int32_t x, int32_t y) = 0;
    virtual void OnRightButtonUp(int32_t x, int32_t y) = 0;
    virtual int32_t OnKeyDown(uint32_t nKey) = 0;
    virtual int32_t OnKeyUp(uint32_t nKey) = 0;
    virtual int32_t OnSysKeyDown(uint32_t nKey) = 0;
    virtual int32_t OnSysKeyUp(uint32_t nKey) = 0;
    virtual void InvalidateAllScenes() = 0;
    // nState: low 16 bits nonzero = activated.
    virtual void OnActivate(uint32_t nState) = 0;
    virtual void OnEnterMenuLoop() = 0;
    virtual void OnExitMenuLoop() = 0;
    // Left stick in thousandths (-1000..1000, y positive downward), after the dead zone.
    virtual void OnPadStick(int32_t /*x*/, int32_t /*y*/) {}
    // A pad that gave input was unplugged.
    virtual void OnPadLost() {}

    const char* GetName() const { return szName; }
    uint32_t GetStyle() const { return nStyle; }
    void* GetHandle() const { return hWindow; }
    bool IsActive() const { return fActive != 0; }
    bool IsPointerShown() const { return fPointerShown != 0; }
    int32_t GetClientX() const { return nClientX; }
    int32_t GetClientY() const { return nClientY; }
    int32_t GetClientWidth() const { return nClientWidth; }
    int32_t GetClientHeight() const { return nClientHeight; }

protected:
    const char* szName = "";
    uint32_t nStyle = 0;
    int32_t lReserved = 0;
    void* hWindow = nullptr;          // the platform's window, opaque here
    int32_t fActive = 1;
    int32_t fPointerShown = 1;
    int32_t nClientX = 0, nClientY = 0;
    int32_t nClientWidth = 800, nClientHeight = 600;
    int32_t nWindowX = 0, nWindowY = 0, nWindowWidth = 800, nWindowHeight = 600;
};
