#!/usr/bin/env bash
# Writes a setup file for a demonstration into a program folder: port COM3, three terminals,
# staff and medicine names. Usage: demo-setup.sh PROGRAM_FOLDER
set -euo pipefail
folder=$1
staff=(Anna Bo Carsten Dorthe Erik Freja Gustav Hanne Ib Jette Karen Lars Mette Niels Ole Pia Rasmus Signe Tom Ulla)
medicines=(Oxytocin Penicillin Metacam Carbetocin Amoxicillin Depocillin Finadyne Vetrimoxin Calcium Iron)
{
  printf 'Language\tUK\r\nCOMPort\t3\r\nTemperature\t0\r\nInterval 1\t02:00\r\nInterval 2\t00:30\r\n'
  printf 'Duration 1\t01:00\r\nNo of Hand Terminals\t3\r\n'
  for k in $(seq 1 20); do printf 'Staff %d\t%s\r\n' "$k" "${staff[$((k - 1))]:-}"; done
  for k in $(seq 1 10); do printf 'Medicine %d\t%s\r\n' "$k" "${medicines[$((k - 1))]:-}"; done
} > "$folder/Setup/FarSetup-$(date +%F).txt"
