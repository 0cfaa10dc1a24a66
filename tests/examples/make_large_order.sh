#!/usr/bin/env bash
# Writes a purchase order with ITEMS items to OUT, streamed by awk so that the
# document never has to fit in memory. Item i (from 1) has quantity
# 1 + i % 9 and the price 1.25 USD, except that item 7 costs 999.99 USD.
#
#   make_large_order.sh ITEMS OUT
set -euo pipefail
items=$1
out=$2
awk -v n="$items" 'BEGIN {
  print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
  print "<purchaseOrder xmlns=\"urn:tsxmllib:samples:po\" orderDate=\"2026-11-20\">"
  for (a = 0; a < 2; a++) {
    tag = a == 0 ? "shipTo" : "billTo"
    printf "  <%s country=\"US\"><name>Bulk Buyer</name><street>1 Dock Road</street>", tag
    printf "<city>Harbour</city><state>WA</state><zip>98001</zip></%s>\n", tag
  }
  print "  <items>"
  for (i = 1; i <= n; i++) {
    price = i == 7 ? "999.99" : "1.25"
    printf "    <item partNum=\"%03d-AB\"><productName>Part %d</productName><quantity>%d</quantity>", i % 1000, i, 1 + i % 9
    printf "<USPrice>%s</USPrice></item>\n", price
  }
  print "  </items>"
  print "</purchaseOrder>"
}' >"$out"
