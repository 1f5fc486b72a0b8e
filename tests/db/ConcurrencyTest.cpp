#include "tests/support/ContractDatabase.h"

#include <gtest/gtest.h>
