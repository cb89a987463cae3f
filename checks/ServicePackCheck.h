// ServicePackCheck: "NT Service Pack 3 or greater". Only Windows NT 4 gets a real verdict; every
// other system is recorded as satisfied and left out of the status report.
#pragma once

#include "checks/PrerequisiteResult.h"

namespace prereq {

class ServicePackCheck : public PrerequisiteResult {
public:
    ServicePackCheck();
    virtual ~ServicePackCheck();
};

} // namespace prereq
