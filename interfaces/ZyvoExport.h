// Symbol visibility for the device library and the common library.
#pragma once

// Device-library classes keep default visibility even when a client is built with hidden
// visibility, so that their type information is shared and dynamic_cast works across libraries.
#define ZYVO_API __attribute__((visibility("default")))
