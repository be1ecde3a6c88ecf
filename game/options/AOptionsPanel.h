#pragma once
#include <cstdint>

class AOptionsRollavex;
class CActorButton;
class CActorSprite;
class CScene;
class CSprite;
class CSpriteArray;

// The options panel over the paused game: one row a setting, chosen with Up
// and Down (or the pad's stick), changed with Left and Right, Enter or the
// row's arrow buttons. Its actors belong to the scene; it shows and hides them.
class AOptionsPanel {
public:
    enum Row : int32_t { Effects, Music, Sensitivity, InvertY, FullScreen, DeadZone, Ghost, RowCount };
    // The arrow buttons' commands: FirstCommand + 2 × row, + 1 for the right arrow.
    enum : uint32_t { FirstCommand = 0x2000 };
    enum : uint32_t { KeyEnter = 13, KeyEscape = 27, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40,
                      KeyN = 78, KeyO = 79 };

    // Where a change goes: applied at once and kept.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void ApplyOption(int32_t nRow) = 0;
        // False: the volume rows say there is no sound.
        virtual bool HasSound() const = 0;
    };

    AOptionsPanel(CScene* pScene, Host* pHost, AOptionsRollavex* pOptions, CSprite* pBoard, CSpriteArray* pLess,
                  CSpriteArray* pMore);

    void Open();
    void Close();
    bool IsOpen() const { return fOpen; }
    int32_t GetSelected() const { return nSelected; }
    // A key while the panel is open; true when the panel took it.
    bool OnKey(uint32_t nKey, bool fDown);
    // The pad's stick (thousandths) chooses and changes like the arrow keys.
    void OnStick(int32_t x, int32_t y);
    // The text a row shows for its value.
    const char* GetValueText(int32_t nRow) const;
    // Writes the row's line of the settings file, and no other.
    static void Keep(const AOptionsRollavex& options, int32_t nRow);

private:
    void Select(int32_t nRow);
    void Change(int32_t nRow, int32_t nDirection);
    void ShowRow(int32_t nRow);

    Host* pHost;
    AOptionsRollavex* pOptions;
    CActorSprite* pasBoard = nullptr;
    CActorButton* rgpLabels[RowCount] = {};
    CActorButton* rgpValues[RowCount] = {};
    CActorButton* rgpArrows[RowCount][2] = {};
    int32_t nSelected = 0;
    int32_t nStickX = 0; // the stick's last direction, -1, 0 or 1
    int32_t nStickY = 0;
    bool fOpen = false;
};
