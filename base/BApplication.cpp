#include "base/BApplication.h"

namespace {
BApplication* pApplication = nullptr;
}

BApplication* GetApplication() { return pApplication; }

void SetApplication(BApplication* application) { pApplication = application; }

COptions* GetAppOptions() { return pApplication ? pApplication->GetOptions() : nullptr; }
