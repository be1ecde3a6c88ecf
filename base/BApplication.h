#pragma once
#include <cstdint>

class COptions;

// The abstract application: one object per process, reached through
// GetApplication(). Platform classes implement the loop and resources; the
// game supplies start-up, services and options.
class BApplication {
public:
    virtual int32_t Initialise() = 0;
    virtual void ShutdownServices() = 0;
    virtual void OnIdle() = 0;
    virtual int32_t Run() = 0;
    virtual void Quit(int32_t code) = 0;
    virtual int32_t LoadStringResource(uint32_t id, char* buffer, int32_t size) = 0;
    virtual void* LoadIconResource(uint32_t id) = 0;
    virtual void* LoadCursorResource(uint32_t id) = 0;
    virtual void* LoadMenuResource(uint32_t id) = 0;
    virtual ~BApplication() = default;
    virtual void SetTitle(const char* text) = 0;
    virtual void RequestQuit() = 0;
    virtual const char* GetName() const = 0;
    virtual const char* GetCompanyName() const = 0;
    virtual const char* GetUserText() const = 0;
    virtual COptions* GetOptions() = 0;
    virtual void Reserved16() = 0;
    virtual const char* GetDefaultFolder() const = 0;
    virtual const char* Reserved18() const = 0;
    virtual int32_t Reserved19() const = 0;
};

// The process-wide application; null before the entry point creates it.
BApplication* GetApplication();
void SetApplication(BApplication* application);
// The application's options; null without an application.
COptions* GetAppOptions();
