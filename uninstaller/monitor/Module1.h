// FileNamePart, FolderPart, CountBackslashes and JoinPath live with the other path helpers.
#pragma once

#include "base/path.h"
