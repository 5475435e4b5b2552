#include "nira/presentation/HelpProvider.h"

#include <htmlhelp.h>
#include <strsafe.h>

#include <new>

#include "common/NiraStatus.h"

namespace {

constexpr size_t kPathLength = MAX_PATH;
constexpr int kTopicLength = MAX_PATH;
constexpr int kContextHelp = 1;

CNiraHelpProvider* g_provider = nullptr;

}  // namespace

CNiraHelpProvider::CNiraHelpProvider(LPCWSTR helpFilePath)
    : m_path(static_cast<WCHAR*>(LocalAlloc(LPTR, kPathLength * sizeof(WCHAR))))
{
    if (m_path != nullptr && helpFilePath != nullptr) {
        StringCchCopyW(m_path, kPathLength, helpFilePath);
    }
}

CNiraHelpProvider::~CNiraHelpProvider()
{
    LocalFree(m_path);
}

// The topic is "<help file>::/<help id>.html"; one that does not fit is not shown.
int CNiraHelpProvider::OpenTopic(HWND window, int helpId, int, int)
{
    auto* topic = static_cast<WCHAR*>(LocalAlloc(LPTR, kTopicLength * sizeof(WCHAR)));
    if (topic == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    HRESULT formatted = StringCchPrintfW(topic, kTopicLength, TEXT("%s::/%d.html"),
                                         m_path != nullptr ? m_path : TEXT(""), helpId);
    if (SUCCEEDED(formatted)) {
        HtmlHelpW(window, topic, HH_DISPLAY_TOPIC, 0);
    }
    LocalFree(topic);
    return SUCCEEDED(formatted) ? NIRA_STATUS_OK : NIRA_STATUS_FAILED;
}

int CNiraHelpProvider::ShowHelp(HWND window, int helpId, int controlId)
{
    return OpenTopic(window, helpId, controlId, 0);
}

int CNiraHelpProvider::ShowContextHelp(HWND window, int helpId, int controlId)
{
    return OpenTopic(window, helpId, controlId, kContextHelp);
}

CNiraHelpProvider* GetHelpProvider(LPCWSTR helpFilePath)
{
    if (g_provider == nullptr && helpFilePath != nullptr) {
        g_provider = new (std::nothrow) CNiraHelpProvider(helpFilePath);
    }
    return g_provider;
}

void DeleteHelpProvider()
{
    delete g_provider;
    g_provider = nullptr;
}
