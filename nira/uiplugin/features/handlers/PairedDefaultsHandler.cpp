#include "nira/uiplugin/features/handlers/PairedDefaultsHandler.h"

#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

// A pair, its marker and the widgets of its second feature. Only the first two pairs follow
// changes of their first feature and show their markers from the start.
struct PairRow {
    int first;
    int second;
    int marker;
    int secondWidgets[2];
    bool followsFirst;
};

constexpr PairRow kPairs[] = {
    {4217, 4302, 6337, {6339, 6340}, true},
    {4296, 4300, 6338, {6375, 6376}, true},
    {4216, 4301, 6336, {6341, 6342}, false},
};

}  // namespace

int CNiraPairedDefaultsHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase*)
{
    if (services != nullptr) {
        m_services = services;
    }
    m_ownId = handlerId;
    return 0;
}

bool CNiraPairedDefaultsHandler::IsAtDefault(int featureId) const
{
    int current = 0;
    int isSet = 0;
    int defaultOption = 0;
    m_services->GetValue(featureId, &current, &isSet);
    m_services->GetDefaultOption(featureId, &defaultOption);
    return current == defaultOption;
}

void CNiraPairedDefaultsHandler::ResetToDefault(int featureId)
{
    int defaultOption = 0;
    m_services->GetDefaultOption(featureId, &defaultOption);
    int feature = featureId;
    m_services->SetValue(m_ownId, &feature, &defaultOption, kReasonByHandler, 0, 0, 0);
}

void CNiraPairedDefaultsHandler::ShowMarker(int marker, bool away)
{
    m_services->SetDisplayState(m_ownId, marker, away ? kDisplayEnabled : kDisplayHidden);
}

int CNiraPairedDefaultsHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return 0;
    }
    for (const PairRow& pair : kPairs) {
        if (pair.followsFirst && !IsAtDefault(pair.first)) {
            m_services->SetDisplayState(m_ownId, pair.marker, kDisplayEnabled);
        }
    }
    return 0;
}

int CNiraPairedDefaultsHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return 0;
    }
    for (const PairRow& pair : kPairs) {
        bool first = pair.followsFirst && widgetId == pair.first;
        bool second = widgetId == pair.secondWidgets[0] || widgetId == pair.secondWidgets[1];
        if (first) {
            // Back at its default, the first feature takes its partner back to the default too.
            bool atDefault = IsAtDefault(pair.first);
            if (atDefault) {
                ResetToDefault(pair.second);
            }
            ShowMarker(pair.marker, !atDefault);
        } else if (second) {
            bool atDefault = IsAtDefault(pair.second);
            if (atDefault) {
                ResetToDefault(pair.first);
            }
            ShowMarker(pair.marker, !atDefault);
        }
    }
    return 0;
}
