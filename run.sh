#!/usr/bin/env bash
# Sets the project up (packages, Release build, presentation library) and
# starts the chart display from the repository root.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh
exec build/chartdisplay "$@"
