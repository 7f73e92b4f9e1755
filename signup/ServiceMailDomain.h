// The service's mail domain: a mailbox is the identifier, "@" and this domain.
#pragma once

#include "common/OperatorSettings.h"

namespace marvella {

inline constexpr char ServiceMailDomain[] = MARVELLA_SERVICE_MAIL_DOMAIN;

}  // namespace marvella
