#pragma once
// Fakes shared by the scene engine tests: a device, a music segment, an
// application with options, actors and scenes that log what happens to them.
#include "base/BApplication.h"
#include "base/BDevice.h"
#include "base/BMusicSegment.h"
#include "common/CActor.h"
#include "common/COptions.h"
#include "common/CScene.h"
#include "common/CScreen.h"
#include <string>
#include <vector>

namespace fakes {

inline std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

inline void Note(const std::string& text) { Log().push_back(text); }

class Device : public BDevice {
public:
    int32_t BeginFrame() override { return Call("begin", nBeginResult); }
    int32_t EndFrame() override { return Call("end", 0); }
    int32_t BeginSprites() override { return Call("sprites", nSpritesResult); }
    int32_t EndSprites() override { return Call("/sprites", 0); }
    int32_t GetBackBufferWidth() const override { return nWidth; }
    int32_t GetBackBufferHeight() const override { return nHeight; }
    int32_t GetBitsPerPixel() const override { return 32; }

    int32_t nBeginResult = 0;
    int32_t nSpritesResult = 0;
    int32_t nWidth = 800;
    int32_t nHeight = 600;

private:
    static int32_t Call(const char* what, int32_t result)
    {
        Note(what);
        return result;
    }
};

class Music : public BMusicSegment {
public:
    int32_t Play(uint32_t flags) override
    {
        Note("play " + std::to_string(flags));
        fPlaying = nPlayResult == 0;
        return nPlayResult;
    }
    int32_t Stop(uint32_t flags) override
    {
        Note("stop " + std::to_string(flags));
        fPlaying = false;
        return 0;
    }
    int32_t IsPlaying() override { return fPlaying; }
    int32_t SetRepeats(uint32_t repeats) override
    {
        Note("repeats " + std::to_string(repeats));
        return nRepeatsResult;
    }
    int32_t SetVolume(int32_t volume) override
    {
        Note("volume " + std::to_string(volume));
        return 0;
    }

    bool fPlaying = false;
    int32_t nPlayResult = 0;
    int32_t nRepeatsResult = 0;
};

// The process-wide application, with options and a logged Quit.
class App : public BApplication {
public:
    App() { SetApplication(this); }
    ~App() override { SetApplication(nullptr); }

    int32_t Initialise() override { return 1; }
    void ShutdownServices() override {}
    void OnIdle() override {}
    int32_t Run() override { return 0; }
    void Quit(int32_t code) override { Note("quit " + std::to_string(code)); }
    int32_t LoadStringResource(uint32_t, char*, int32_t) override { return 0; }
    void* LoadIconResource(uint32_t) override { return nullptr; }
    void* LoadCursorResource(uint32_t) override { return nullptr; }
    void* LoadMenuResource(uint32_t) override { return nullptr; }
    void SetTitle(const char*) override {}
    void RequestQuit() override {}
    const char* GetName() const override { return "Test"; }
    const char* GetCompanyName() const override { return ""; }
    const char* GetUserText() const override { return ""; }
    COptions* GetOptions() override { return &options; }
    void Reserved16() override {}
    const char* GetDefaultFolder() const override { return ""; }
    const char* Reserved18() const override { return "0"; }
    int32_t Reserved19() const override { return 0; }

    COptions options;
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

    using CActor::fFreeBottom;
    using CActor::fFreeLeft;
    using CActor::fFreeRight;
    using CActor::fFreeTop;
    using CActor::fKillOffscreen;
    using CActor::fPinned;
    using CActor::fRedrawOnDepth;
    using CActor::lShownLeft;
    using CActor::nMirror;

    std::string name;
    int32_t nW, nH;
    int32_t nBoundsUpdates = 0;
    int32_t fWantsMouse = 1;
    int32_t fWantsCollision = 0;
    bool fMesh = false;
    Rect lastClip;
    std::vector<int32_t> rgElapsed;
};

// A scene that logs its handlers.
class Scene : public CScene {
public:
    explicit Scene(CScreen* screen, std::string sceneName = "scene", int32_t kind = 0, int32_t onTop = 1)
        : CScene(screen, 0, 0, 0, onTop, 0, 1), name(std::move(sceneName))
    {
        nKind = kind;
    }
    ~Scene() override { Note("delete " + name); }

    int32_t nLoadResult = 0;

    void OnLeftButtonDown(uint16_t x, uint16_t y) override { Mouse("left down", x, y); }
    void OnLeftButtonUp(uint16_t x, uint16_t y) override { Mouse("left up", x, y); }
    void OnRightButtonDown(uint16_t x, uint16_t y) override { Mouse("right down", x, y); }
    void OnRightButtonUp(uint16_t x, uint16_t y) override { Mouse("right up", x, y); }
    void OnMouseMove(uint16_t x, uint16_t y) override { Mouse("move", x, y); }
    void OnNonClientMouseMove(uint16_t x, uint16_t y) override { Mouse("nc move", x, y); }
    int32_t OnKeyUp(uint32_t key) override
    {
        Note(name + " key up " + std::to_string(key));
        return CScene::OnKeyUp(key);
    }
    int32_t OnSysKeyUp(uint32_t key) override
    {
        Note(name + " sys key up " + std::to_string(key));
        return CScene::OnSysKeyUp(key);
    }
    int32_t Load() override
    {
        Call("load");
        return nLoadResult;
    }
    int32_t Begin() override { return Call("begin"); }
    int32_t Unload() override { return Call("unload"); }
    void Tick() override
    {
        Note(name + " tick");
        CScene::Tick();
    }
    void Draw() override
    {
        Note(name + " draw");
        CScene::Draw();
    }
    void OnDialogClosed(CScene*, int32_t result) override
    {
        Note(name + " dialog closed " + std::to_string(result));
    }
    void Resume() override
    {
        Note(name + " resume");
        CScene::Resume();
    }

    using CScene::fCanPause;
    using CScene::fPanel1Shown;
    using CScene::nKind;

    std::string name;

private:
    void Mouse(const char* what, uint16_t x, uint16_t y)
    {
        Note(name + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
    }
    int32_t Call(const char* what)
    {
        Note(name + " " + what);
        return 0;
    }
};

// A screen that opens no window and loads nothing.
class Screen : public CScreen {
public:
    int32_t LoadAssetsAndCreateGame() override { return 0; }
    void MoveDeviceCursor(int32_t x, int32_t y) override
    {
        Note("cursor " + std::to_string(x) + "," + std::to_string(y));
    }
    void Adopt(CScene* scene) { pScene = scene; }
};

} // namespace fakes
