# Stands in for GoogleTest while the consumers are configured with BUILD_TESTING=OFF: any attempt
# to find it fails the configure step.
message(FATAL_ERROR "GoogleTest was looked for although BUILD_TESTING is OFF")
