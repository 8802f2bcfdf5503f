// CMathOperation holds no data: constructing, copying and assigning do nothing.
#include "CMathOperation.h"

CMathOperation::CMathOperation() = default;

CMathOperation::CMathOperation(const CMathOperation& /*other*/) {}

CMathOperation::~CMathOperation() = default;

CMathOperation& CMathOperation::operator=(const CMathOperation& /*other*/) { return *this; }
