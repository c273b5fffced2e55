#!/bin/sh
# The module exports VSTPluginMain and main at one address, and nothing else of ours.
set -eu
symbols=$(nm -D --defined-only "$1" | awk '$2 ~ /^[TtWwDdBbVv]$/ {print $1, $3}')
main_address=$(printf '%s\n' "$symbols" | awk '$2 == "main" {print $1}')
entry_address=$(printf '%s\n' "$symbols" | awk '$2 == "VSTPluginMain" {print $1}')
[ -n "$entry_address" ] || { echo "VSTPluginMain is not exported"; exit 1; }
[ "$main_address" = "$entry_address" ] || { echo "main ($main_address) is not VSTPluginMain ($entry_address)"; exit 1; }
others=$(printf '%s\n' "$symbols" | awk '$2 != "main" && $2 != "VSTPluginMain" && $2 !~ /^_(init|fini|edata|end|_bss_start)$/ && $2 !~ /^__bss_start|^_edata|^_end/')
[ -z "$others" ] || { echo "unexpected exports:"; echo "$others"; exit 1; }
echo "exports: VSTPluginMain = main at $entry_address"
