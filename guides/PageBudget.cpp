#include "PageBudget.h"

#include "platform/Configuration.h"

namespace velmora {

PageBudget& PageBudget::forRun() {
    // Never destroyed: pictures may still give bytes back while the program
    // shuts down.
    static PageBudget* const budget =
        new PageBudget(Configuration::current().pageBudgetMiB * 1024 * 1024);
    return *budget;
}

} // namespace velmora
