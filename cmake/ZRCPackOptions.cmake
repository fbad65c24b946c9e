# Read by cpack before it builds the packages. The Debian descriptions carry their own synopsis
# lines, so the project-wide summary must not be put in front of them.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
