#!/usr/bin/env python3
"""Three weeks of counter samples that lead up to the all-bands printer's counts, for the
pictures of the "Wear" view (the window adds today's sample itself).

    tools/wear_samples.py OUT.csv
"""
import datetime
import sys

COUNTS = [500000, 2400000, 4100000, 6300000, 7999999, 8000000, 9200000, 10000000, 11000000]
PER_DAY = [9000, 30000, 60000, 25000, 40000, 35000, 45000, 30000, 15000]

today = datetime.date.today()
with open(sys.argv[1], "w") as out:
    out.write("date,printer,total,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,head1,head2\n")
    for back in range(21, 0, -1):
        pins = [c - r * back for c, r in zip(COUNTS, PER_DAY)]
        day = today - datetime.timedelta(days=back)
        out.write(f"{day},SIM0001,{sum(pins)},{','.join(map(str, pins))},1,0\n")
