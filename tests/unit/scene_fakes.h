#pragma once
// Fakes shared by the engine and game tests: a device, actors and scenes that
// log what happens to them, and a screen without a window.
#include "base/BDevice.h"
#include "base/FileSpec.h"
#include "common/actors/CActor.h"
#include "common/assets/CFileMM.h"
#include "common/scene/CScene.h"
#include "common/screen/CScreen.h"
#include <string>
#include <vector>

namespace fakes {

inline std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

inline void Note(const std::string& text) { Log().push_back(text); }

// An 800 x 600 back buffer; a test may fail the frame or the sprite batch.
class Device : public BDevice {
public:
    int32_t BeginFrame() override { return Call("begin", nBeginResult); }
    int32_t EndFrame() override { return Call("end", 0); }
    int32_t BeginSprites() override { return Call("sprites", nSpritesResult); }
    int32_t EndSprites() override { return Call("/sprites", 0); }
    int32_t GetBackBufferWidth() const override { return 800; }
    int32_t GetBackBufferHeight() const override { return 600; }
    int32_t GetBitsPerPixel() const override { return 32; }

    int32_t nBeginResult = 0;
    int32_t nSpritesResult = 0;

private:
    static int32_t Call(const char* what, int32_t result)
    {
        Note(what);
        return result;
    }
};

// A w x h pixel actor at its position; logs drawing, updates and mouse events.
class Actor : public CActor {
public:
    Actor(CScene* scene, std::string actorName, int32_t x, int32_t y, int32_t z, int32_t w = 10, int32_t h = 10,
          int32_t collideClass = 2)
        : CActor(scene, x, y, z, collideClass, 1), name(std::move(actorName)), nW(w), nH(h)
    {
        UpdateBounds();
    }
    ~Actor() override { Note("delete " + name); }

    void UpdateBounds() override
    {
        ++nBoundsUpdates;
        rcBounds = {lX >> 8, lY >> 8, (lX >> 8) + nW, (lY >> 8) + nH};
    }
    void Draw(const Rect* clip) override
    {
        lastClip = *clip;
        Note("draw " + name);
    }
    void Update(int32_t dt) override
    {
        Note("update " + name);
        rgElapsed.push_back(dt);
        CActor::Update(dt);
    }
    int32_t WantsMouse(const MouseEvent*) override { return fWantsMouse; }
    int32_t OnMouse(const MouseEvent* e) override
    {
        Note("mouse " + name + " " + std::to_string(e->nType));
        return 1;
    }
    int32_t WantsCollision(CActor*) override { return fWantsCollision; }
    void OnCollision(CActor*) override { Note("collision " + name); }
    bool IsMeshActor() const override { return fMesh; }
    void DrawShadow() override { Note("shadow " + name); }

    using CActor::fFreeBottom;
    using CActor::fFreeLeft;
    using CActor::fFreeRight;
    using CActor::fFreeTop;
    using CActor::fKillOffscreen;
    using CActor::fRedrawOnDepth;

    std::string name;
    int32_t nW, nH;
    int32_t nBoundsUpdates = 0;
    int32_t fWantsMouse = 1;
    int32_t fWantsCollision = 0;
    bool fMesh = false;
    Rect lastClip;
    std::vector<int32_t> rgElapsed;
};

// A scene that logs its handlers as "<name> <what>".
class Scene : public CScene {
public:
    explicit Scene(CScreen* screen, std::string sceneName = "scene", int32_t kind = 0, int32_t onTop = 1)
        : CScene(screen, 0, 0, 0, onTop, 0, 1), name(std::move(sceneName))
    {
        nKind = kind;
    }
    ~Scene() override { Note("delete " + name); }

    void OnLeftButtonDown(uint16_t x, uint16_t y) override { Mouse("left down", x, y); }
    void OnLeftButtonUp(uint16_t x, uint16_t y) override { Mouse("left up", x, y); }
    void OnRightButtonDown(uint16_t x, uint16_t y) override { Mouse("right down", x, y); }
    void OnRightButtonUp(uint16_t x, uint16_t y) override { Mouse("right up", x, y); }
    void OnMouseMove(uint16_t x, uint16_t y) override { Mouse("move", x, y); }
    void OnNonClientMouseMove(uint16_t x, uint16_t y) override { Mouse("nc move", x, y); }
    int32_t Load() override { return Say("load", nLoadResult); }
    int32_t Begin() override { return Say("begin", 0); }
    int32_t Unload() override { return Say("unload", 0); }
    void Tick() override
    {
        Say("tick", 0);
        CScene::Tick();
    }
    void Draw() override
    {
        Say("draw", 0);
        CScene::Draw();
    }
    void OnDialogClosed(CScene*, int32_t result) override { Say("dialog closed " + std::to_string(result), 0); }
    void Resume() override
    {
        Say("resume", 0);
        CScene::Resume();
    }

    using CScene::fCanPause;
    using CScene::fPanel1Shown;
    using CScene::nKind;

    int32_t nLoadResult = 0;
    std::string name;

private:
    void Mouse(const char* what, uint16_t x, uint16_t y)
    {
        Say(what + (" " + std::to_string(x)) + "," + std::to_string(y), 0);
    }
    int32_t Say(const std::string& what, int32_t result)
    {
        Note(name + " " + what);
        return result;
    }
};

// Opens no window and loads nothing; the cursor is wherever the test puts it.
class Screen : public CScreen {
public:
    int32_t LoadAssetsAndCreateGame() override { return 0; }
    void MoveDeviceCursor(int32_t x, int32_t y) override
    {
        Note("cursor " + std::to_string(x) + "," + std::to_string(y));
    }
    void GetCursorPosition(Point* pPoint) override { *pPoint = ptCursor; }
    void SetCursorPosition(int32_t x, int32_t y) override
    {
        ptCursor = {x, y};
        ++nCursorMoves;
    }
    void ShowPointer(int32_t fShow) override { fPointerShown = fShow; }
    void Adopt(CScene* scene) { pScene = scene; }
    // Opens the built archive as the screen's own (the screen deletes it).
    void OpenGameArchive()
    {
        auto* archive = new CFileMM();
        archive->Open(FileSpec(RVX_RUN_DIR, "RollavexAssets.mm"), 2);
        pMMFile = archive;
    }

    Point ptCursor{0, 0};
    int nCursorMoves = 0;
};

} // namespace fakes
