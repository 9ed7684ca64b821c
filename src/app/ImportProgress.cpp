#include "app/ImportProgress.h"

ImportProgress& importProgress() {
  static ImportProgress progress;
  return progress;
}
