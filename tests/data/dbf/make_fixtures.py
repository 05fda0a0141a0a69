#!/usr/bin/python3
"""Writes the interoperability fixtures of the table engine with python3-dbf (Debian).

Run from this folder: /usr/bin/python3 make_fixtures.py
  pfmast.dbf   dBASE III table: character, numeric (with decimals), date and logical fields,
               a deleted record and a blank record
  clmast.dbf   dBASE III table with a memo field (clmast.dbt beside it)
  empty.dbf    dBASE III table without records
"""
import datetime
import os

import dbf


def make(name, spec, rows, delete=()):
    for ext in ('.dbf', '.dbt'):
        if os.path.exists(name + ext):
            os.remove(name + ext)
    table = dbf.Table(name + '.dbf', spec, dbf_type='db3')
    table.open(mode=dbf.READ_WRITE)
    for row in rows:
        table.append(row)
    for index in delete:
        dbf.delete(table[index])
    table.close()


make('pfmast',
     'FACCT C(10); FSTKNO C(5); FQTY N(12,0); FAVG N(10,3); FDATE D; FOK L',
     [('C100001', '5', 1200, 12.345, datetime.date(2026, 12, 8), True),
      ('C100002', '700', -300, 0.5, datetime.date(1999, 1, 31), False),
      ('C100003', '11', 0, 0, None, None),
      ('C100004', '1', 99999999999, 999999.999, datetime.date(2000, 2, 29), True),
      ()],
     delete=(1,))
make('clmast', 'LACCT C(8); LNAME C(20); LNOTE M',
     [('C100001', 'CHAN TAI MAN', 'first note'), ('C100002', 'LEE SIU MING', '')])
make('empty', 'K C(3); N N(5,1)', [])
