#!/usr/bin/env bash
# Mutation check of the native test suite: scripts/mutate.sh [N] [SEED] [PATH,...].
# Prints every surviving mutant and "killed K of M"; see scripts/mutate.py.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 scripts/mutate.py "$@"
