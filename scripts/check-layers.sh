#!/usr/bin/env bash
# Checks that the folders of src/ are one-way layers: a file includes only its
# own folder and the folders below it. Names each include that points to a
# higher folder and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=(core presentation interface flight levels campaign)
status=0
for ((rank = 0; rank < ${#layers[@]}; ++rank)); do
    folder=${layers[rank]}
    higher=("${layers[@]:rank + 1}")
    [ ${#higher[@]} -gt 0 ] || continue
    pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "${higher[*]}"))/"
    while IFS= read -r hit; do
        echo "src/$hit: $folder/ includes a higher folder" >&2
        status=1
    done < <(grep -rnE "$pattern" "$folder" || true)
done
[ $status -eq 0 ] && echo "layers: every include in src/ points to its own folder or a lower one"
exit $status
