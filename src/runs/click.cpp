#include "entry/entry.h"
#include "runs/runs.h"

namespace numplace {

bool clickButton(Ports &ports, std::string_view button) {
  if (button == "Command3") {
    runAnswer(ports);
  } else if (button == "Command7") {
    runStep(ports);
  } else if (button == "Command1") {
    runReference1(ports);
  } else if (button == "Command5") {
    runReference2(ports);
  } else if (button == "Command4") {
    clearEntry(ports.controls);
  } else {
    return false;
  }
  return true;
}

}  // namespace numplace
