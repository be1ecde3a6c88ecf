#pragma once
#include "platform/window/MWindow.h"

// A window whose screen handlers do nothing; tests override the ones they watch.
class QuietWindow : public MWindow {
public:
    int32_t OnSetCursor() override { return 0; }
    void OnClose() override {}
    void OnSize(int32_t, int32_t) override {}
    void OnMouseMove(int32_t, int32_t) override {}
    void OnNonClientMouseMove(int32_t, int32_t) override {}
    void OnLeftButtonDown(int32_t, int32_t) override {}
    void OnLeftDoubleClick(int32_t, int32_t) override {}
    void OnRightButtonDown(int32_t, int32_t) override {}
    void OnRightDoubleClick(int32_t, int32_t) override {}
    void OnLeftButtonUp(int32_t, int32_t) override {}
    void OnRightButtonUp(int32_t, int32_t) override {}
    int32_t OnKeyDown(uint32_t) override { return 0; }
    int32_t OnKeyUp(uint32_t) override { return 0; }
    int32_t OnSysKeyDown(uint32_t) override { return 0; }
    int32_t OnSysKeyUp(uint32_t) override { return 0; }
    void InvalidateAllScenes() override {}
    void OnActivate(uint32_t) override {}
    void OnEnterMenuLoop() override {}
    void OnExitMenuLoop() override {}
};
