#include "nira/uiplugin/features/handlers/OrientationHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr int kPortrait = 1;
constexpr int kLandscape = 2;
constexpr int kNotRotated = 1;
constexpr int kRotated = 2;
// The converter's options: Portrait, Landscape, ReversePortrait, ReverseLandscape,
// ZQRotatePortrait90, ZQRotateLandscape90.
constexpr int kIndexPortrait = 0;
constexpr int kIndexLandscape = 1;
constexpr int kIndexRotatedPortrait = 4;
constexpr int kIndexRotatedLandscape = 5;

}  // namespace

int CNiraOrientationHandler::Attach(INiraCoreServices* services, int handlerId,
                                    INiraFeatureDatabase* database)
{
    m_ownId = handlerId;
    return CNiraFeatureHandler::Attach(services, handlerId, database);
}

int CNiraOrientationHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    int index = 0;
    CXDPrintTicket ticket(printTicket);
    m_converter.ReadPrintTicket(ticket, &index);
    int orientation = 0;
    int rotation = 0;
    switch (index) {
    case kIndexPortrait:
        orientation = kPortrait;
        rotation = kNotRotated;
        break;
    case kIndexLandscape:
        orientation = kLandscape;
        rotation = kNotRotated;
        break;
    case kIndexRotatedPortrait:
        orientation = kPortrait;
        rotation = kRotated;
        break;
    case kIndexRotatedLandscape:
        orientation = kLandscape;
        rotation = kRotated;
        break;
    default:
        break;  // the reversed orientations: neither feature has an option for them
    }
    if (m_services == nullptr) {
        return 0;
    }
    SetOption(CLASS_ORIENTATION, FEATURE_ORIENTATION, orientation);
    return SetOption(CLASS_ORIENTATION, FEATURE_ROTATION, rotation);
}

int CNiraOrientationHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    int orientation = CurrentOption(FEATURE_ORIENTATION);
    bool rotated = CurrentOption(FEATURE_ROTATION) == kRotated;
    int index = kIndexPortrait;
    if (orientation == kPortrait) {
        index = rotated ? kIndexRotatedPortrait : kIndexPortrait;
    } else if (orientation == kLandscape) {
        index = rotated ? kIndexRotatedLandscape : kIndexLandscape;
    }
    CXDPrintTicket ticket(printTicket);
    m_converter.WritePrintTicket(ticket, &index);
    return 0;
}

bool CNiraOrientationHandler::ServesRotation() const
{
    for (CNiraPtrList::Node* node = m_features != nullptr ? m_features->GetHead() : nullptr; node != nullptr;
         node = node->next) {
        if (static_cast<int>(reinterpret_cast<INT_PTR>(node->value)) == FEATURE_ROTATION) {
            return true;
        }
    }
    return false;
}

void CNiraOrientationHandler::FillConverterTables()
{
    SetEntry(m_converter.feature, TEXT("PageOrientation"), 1, 0, 1, 0);
    int rotationOffered = ServesRotation() ? 1 : 0;
    const int offered[CXDOrientationFeature::kOptionCount] = {1, 1, 0, 0, rotationOffered, rotationOffered};
    for (int i = 0; i < CXDOrientationFeature::kOptionCount; ++i) {
        SetEntry(m_converter.options[i], CXDOrientationFeature::OptionName(i), offered[i], 0, 1, 0);
    }
}

int CNiraOrientationHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    XDGuarded([&] {
        FillConverterTables();
        if (printCapabilities == nullptr) {
            return S_OK;
        }
        CXDPrintCapabilities capabilities(printCapabilities, &m_converter);
        return m_converter.WritePrintCapabilities(capabilities);
    });
    return 0;
}

int CNiraOrientationHandler::OnCommand(int, int command, int*, int*)
{
    if (command != kCommandToggleOrientation || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int current = 0;
    int isSet = 0;
    if (m_services->GetValue(FEATURE_ORIENTATION, &current, &isSet) != 0 || isSet != 0) {
        current = kPortrait;  // unreadable: the click turns to landscape
    }
    return SetOption(m_ownId, FEATURE_ORIENTATION, current == kPortrait ? kLandscape : kPortrait);
}
