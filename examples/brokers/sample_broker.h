#pragma once
// The sample broker of examples/broker: a small Hong Kong broker in the CCASS/3 layout with
// 8-digit accounts, whose day gives transfers of every pass in both upload files.

#include "brokers/installation.h"

namespace zur::brokers {

InstallationSpec SampleBroker();

}  // namespace zur::brokers
