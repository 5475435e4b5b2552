#include "nira/uiplugin/features/handlers/PosterReactions.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kNoPoster = 1;
constexpr int kReversePageOrder = 2;

}  // namespace

int OnPosterChosen(INiraCoreServices& services)
{
    int option = kNoPoster;
    int isSet = 0;
    if (services.GetValue(FEATURE_POSTER, &option, &isSet) != 0) {
        option = kNoPoster;
    }
    if (option != kNoPoster) {
        services.SendHandlerCommand(FEATURE_POSTER, FEATURE_FIT_TO_SIZE, kCommandPosterChosen, &option,
                                    nullptr);
    }
    return 0;
}

int OfferPosterOptions(INiraCoreServices& services, int callerId)
{
    int count = services.GetOptionCount(FEATURE_POSTER);
    int order = 0;
    int isSet = 0;
    services.GetValue(FEATURE_PAGE_ORDER, &order, &isSet);
    if (count != 0 && order != kReversePageOrder) {
        // From 0 to the count, both included: the option ids 1 to count, and 0, which names none.
        for (int option = 0; option <= count; ++option) {
            services.SetOptionState(callerId, FEATURE_POSTER, option, kOptionStateAvailable);
        }
    }
    return NIRA_STATUS_FAILED;
}
