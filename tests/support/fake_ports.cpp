#include "support/fake_ports.h"
