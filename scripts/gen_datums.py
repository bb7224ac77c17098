#!/usr/bin/env python3
"""Generates lib/geodesy/GeodeticTableData.cpp, the rows of the ellipsoid and
datum tables, from the NIMA TR8350.2 three-parameter shifts in
../shared/data/nima-tr8350-3param.dat and the library's own rows below.

Usage: scripts/gen_datums.py [data file] [output file]
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, '..', 'shared', 'data', 'nima-tr8350-3param.dat')
OUTPUT = os.path.join(ROOT, 'lib', 'geodesy', 'GeodeticTableData.cpp')

NIMA = ('"Department of Defence World Geodetic System 1984, It\'s definition and relationships with '
        'Local Geodetic Systems", NIMA TR8350.2 Third edition Amendment 1, 3 January 2000.')
NATO = 'NATO STANAG 2211'
PCTRANS = '"PCTrans", Koninklijke Marine, Dienst der Hydrografie, Den Haag, 2003'

# code, name, area, a (m), 1/f, source
ELLIPSOIDS = [
    ('AA', 'Airy', '', '6377563.396', '299.3249646', NIMA),
    ('AM', 'Modified Airy', '', '6377340.189', '299.3249646', NIMA),
    ('AN', 'Australian National', '', '6378160.0', '298.25', NIMA),
    ('BN', 'Bessel 1841', 'Namibia', '6377483.865', '299.1528128', NIMA),
    ('BR', 'Bessel 1841', 'Ethiopia, Indonesia, Japan, Korea', '6377397.155', '299.1528128', NIMA),
    ('CC', 'Clarke 1866', '', '6378206.4', '294.9786982', NIMA),
    ('CD', 'Clarke 1880', '', '6378249.145', '293.465', NIMA),
    ('CG', 'CG (France)', '', '6378249.2', '293.46602156583', NATO),
    ('EA', 'Everest', 'India 1830', '6377276.345', '300.8017', NIMA),
    ('EB', 'Everest', 'Brunei, E. Malaysia (Sabah and Sarawak)', '6377298.556', '300.8017', NIMA),
    ('EC', 'Everest', 'India 1956', '6377301.243', '300.8017', NIMA),
    ('ED', 'Everest', 'W. Malaysia 1969', '6377295.664', '300.8017', NIMA),
    ('EE', 'Everest', 'W. Malaysia, Singapore', '6377304.063', '300.8017', NIMA),
    ('EF', 'Everest', 'Pakistan', '6377309.613', '300.8017', NIMA),
    ('FA', 'Modified Fischer 1960', '', '6378155.0', '298.3', NIMA),
    ('HE', 'Helmert 1906', '', '6378200.0', '298.3', NIMA),
    ('HO', 'Hough 1960', '', '6378270.0', '297.0', NIMA),
    ('ID', 'Indonesian 1974', '', '6378160.0', '298.247', NIMA),
    ('IN', 'International 1924', '', '6378388.0', '297.0', NIMA),
    ('KA', 'Krassovsky 1940', '', '6378245.0', '298.3', NIMA),
    ('RF', 'Geodetic Reference System 1980', '', '6378137.0', '298.257222101', NIMA),
    ('SA', 'South American 1969', '', '6378160.0', '298.25', NIMA),
    ('WD', 'WGS 1972', '', '6378135.0', '298.26', NIMA),
    ('WE', 'WGS 1984', '', '6378137.0', '298.257223563', NIMA),
    ('WO', 'WO Ghana', 'Ghana', '6378300.0', '296.0000156', NATO),
]

# Seven-parameter rows: code, name, area, ellipsoid, dx, dy, dz (m),
# rx, ry, rz (arc-seconds), scale (ppm), source.
EXTRA_DATUMS = [
    ('PD', 'Potsdam', 'Germany', 'BR', '591.28', '81.35', '396.39', '-1.47685601', '0.07363654',
     '1.45829218', '-9.819', PCTRANS),
    ('RD', 'RD', 'Netherlands', 'BR', '565.04', '49.91', '465.84', '0.4094', '-0.3597', '1.8685',
     '4.0772', PCTRANS),
    ('RD-OLD', 'Bessel (NL.RD)', 'Netherlands', 'BR', '593.16', '26.15', '478.54', '0', '0', '0', '0',
     PCTRANS),
    ('RTS', 'RT90', 'Sweden', 'BR', '414.1', '41.3', '603.1', '0.855', '-2.141', '7.023', '0', NATO),
    ('WGC', 'WGS 1972', 'World', 'WD', '0', '0', '4.5', '0', '0', '-0.554', '0.219', NATO),
    ('WGE', 'WGS 1984', 'World', 'WE', '0', '0', '0', '0', '0', '0', '0', NATO),
]

# Texts of NIMA rows that the library words differently: code -> (name, area).
TEXT_OVERRIDES = {
    'SIR': ('SIRGAS (South American Geocentric Reference System)', 'South America'),
    'TOY-M': ('Tokyo', 'Mean Solution (Japan, Okinawa, South Korea)'),
}

# The datum table in its order.
CODES = [
    'ADI-A', 'ADI-B', 'ADI-C', 'ADI-D', 'ADI-E', 'ADI-F', 'ADI-M', 'AFG', 'AIA', 'AIN-A', 'AIN-B',
    'AMA', 'ANO', 'ARF-A', 'ARF-B', 'ARF-C', 'ARF-D', 'ARF-E', 'ARF-F', 'ARF-G', 'ARF-H', 'ARF-M',
    'ARS-A', 'ARS-B', 'ARS-M', 'ASC', 'ASM', 'ASQ', 'ATF', 'AUA', 'AUG', 'BAT', 'BER', 'BID',
    'BOO', 'BUR', 'CAC', 'CAI', 'CAO', 'CAP', 'CAZ', 'CCD', 'CGE', 'CHI', 'CHU', 'COA', 'DAL',
    'DID', 'DOB', 'EAS', 'ENW', 'EST', 'EUR-A', 'EUR-B', 'EUR-C', 'EUR-D', 'EUR-E', 'EUR-F',
    'EUR-G', 'EUR-H', 'EUR-I', 'EUR-J', 'EUR-K', 'EUR-L', 'EUR-M', 'EUR-S', 'EUR-T', 'EUS', 'FAH',
    'FLO', 'FOT', 'GAA', 'GEO', 'GIZ', 'GRA', 'GSE', 'GUA', 'HEN', 'HER', 'HIT', 'HJO', 'HKD',
    'HTN', 'IBE', 'IDN', 'IND-B', 'IND-I', 'IND-P', 'INF-A', 'ING-A', 'ING-B', 'INH-A', 'INH-A1',
    'IRL', 'ISG', 'IST', 'JOH', 'KAN', 'KEA', 'KEG', 'KGS', 'KUS', 'LCF', 'LEH', 'LIB', 'LUZ-A',
    'LUZ-B', 'MAS', 'MER', 'MID', 'MIK', 'MIN-A', 'MIN-B', 'MOD', 'MPO', 'MVS', 'NAH-A', 'NAH-B',
    'NAH-C', 'NAP', 'NAR-A', 'NAR-B', 'NAR-C', 'NAR-D', 'NAR-E', 'NAR-H', 'NAS-A', 'NAS-B',
    'NAS-C', 'NAS-D', 'NAS-E', 'NAS-F', 'NAS-G', 'NAS-H', 'NAS-I', 'NAS-J', 'NAS-L', 'NAS-N',
    'NAS-O', 'NAS-P', 'NAS-Q', 'NAS-R', 'NAS-T', 'NAS-U', 'NAS-V', 'NAS-W', 'NSD', 'OEG', 'OGB-A',
    'OGB-B', 'OGB-C', 'OGB-D', 'OGB-M', 'OHA-A', 'OHA-B', 'OHA-C', 'OHA-D', 'OHA-M', 'OHI-A',
    'OHI-B', 'OHI-C', 'OHI-D', 'OHI-M', 'PD', 'PHA', 'PIT', 'PLN', 'POS', 'PRP-A', 'PRP-B',
    'PRP-C', 'PRP-D', 'PRP-E', 'PRP-F', 'PRP-G', 'PRP-H', 'PRP-M', 'PTB', 'PTN', 'PUK', 'PUR',
    'QAT', 'QUO', 'RD', 'RD-OLD', 'REU', 'RTS', 'SAE', 'SAN-A', 'SAN-B', 'SAN-C', 'SAN-D', 'SAN-E',
    'SAN-F', 'SAN-G', 'SAN-H', 'SAN-I', 'SAN-J', 'SAN-K', 'SAN-L', 'SAN-M', 'SAO', 'SAP', 'SCK',
    'SGM', 'SHB', 'SIR', 'SOA', 'SPK-A', 'SPK-B', 'SPK-C', 'SPK-D', 'SPK-E', 'SPK-F', 'SPK-G',
    'SRL', 'TAN', 'TDC', 'TIL', 'TOY-A', 'TOY-B', 'TOY-B1', 'TOY-C', 'TOY-M', 'TRN', 'VOI', 'VOR',
    'WAK', 'WGC', 'WGE', 'YAC', 'ZAN',
]

# Old datum numbers: slot -> code (None for an empty slot).
NUMBERS = [
    None, 'ADI-E', 'ADI-F', 'ADI-A', 'ADI-C', 'ADI-M', 'ADI-D', 'ADI-B', 'AFG', 'AIN-A', 'AIN-B',
    'AMA', 'ANO', 'AIA', 'ARF-A', 'ARF-H', 'ARF-B', 'ARF-C', 'ARF-M', 'ARF-M', 'ARF-D', 'ARF-E',
    'ARF-F', 'ARF-G', 'ARS-M', 'ASC', 'ATF', 'SHB', 'TRN', 'ASQ', 'AUA', 'AUG', 'PHA', 'IBE',
    'BER', 'BID', 'BOO', 'BUR', 'CAZ', 'CAI', 'CAO', 'CAP', 'CAC', 'CGE', 'CHI', 'CHU', 'COA',
    'DAL', 'DID', 'BAT', 'GIZ', 'EAS', 'EUR-E', 'EUR-F', 'EUR-G', 'EUR-G', 'EUR-K', 'EUR-K',
    'EUR-C', 'EUR-B', 'EUR-H', 'EUR-I', 'EUR-J', 'EUR-L', 'EUR-A', 'EUR-S', 'EUR-D', 'EUR-T',
    'EUS', 'FOT', 'GAA', 'GEO', 'GRA', 'GUA', 'GSE', 'DOB', 'HEN', 'HJO', 'HKD', 'HTN', 'IND-B',
    'IND-I', 'IND-P', 'INF-A', 'ING-B', 'ING-A', 'INH-A', 'IDN', 'IRL', 'ISG', 'IST', 'JOH', 'KAN',
    'KEG', 'KEA', 'KUS', 'LCF', 'LEH', 'LIB', 'LUZ-A', 'LUZ-B', 'MPO', 'MIK', 'MAS', 'MER', 'MID',
    'MIN-A', 'MIN-B', 'ASM', 'NAH-A', 'NAH-C', 'NAH-B', 'NAP', 'NAS-D', 'NAS-V', 'NAS-W', 'NAS-Q',
    'NAS-R', 'NAS-F', 'NAS-H', 'NAS-G', 'NAS-G', 'NAS-I', 'NAS-I', 'NAS-J', 'NAS-O', 'NAS-T',
    'NAS-U', 'NAS-P', 'NAS-N', 'NAS-E', 'NAS-C', 'NAS-A', 'NAS-B', 'NAS-L', 'NAR-A', 'NAR-E',
    'NAR-B', 'NAR-C', 'NAR-H', 'NAR-D', 'NSD', 'FLO', 'OEG', 'OHA-A', 'OHA-B', 'OHA-C', 'OHA-M',
    'OHA-D', 'FAH', 'OGB-A', 'OGB-B', 'OGB-M', 'OGB-C', 'OGB-D', 'PLN', 'PIT', 'PTB', 'PTN', 'POS',
    'PRP-A', 'PRP-B', 'PRP-C', 'PRP-D', 'PRP-E', 'PRP-F', 'PRP-M', 'PRP-G', 'PRP-H', 'HIT', 'PUR',
    'PUK', 'QAT', 'QUO', 'REU', 'MOD', 'SPK-A', 'CCD', 'SAE', 'SAO', 'SAP', 'SCK', 'SGM', 'SAN-A',
    'SAN-B', 'SAN-C', 'SAN-D', 'SAN-E', 'SAN-F', 'SAN-J', 'SAN-G', 'SAN-M', 'SAN-H', 'SAN-I',
    'SAN-K', 'SAN-L', 'SOA', 'TAN', 'TIL', 'TOY-A', 'TOY-M', 'TOY-C', 'TOY-B', 'TDC', 'MVS', 'VOR',
    'WAK', 'ENW', 'WGC', 'WGE', 'YAC', 'ZAN', 'RTS', 'EUR-M', None, 'IND-B', 'NAH-C', 'NAP', 'FLO',
    'EUR-F', None, 'GRA', 'PD', 'KGS',
]

# Old display names and the datum code each names.
OLD_NAMES = [
    ('Adindan, ADI-A', 'ADI-A'), ('Adindan, ADI-B', 'ADI-B'), ('Adindan, ADI-C', 'ADI-C'),
    ('Adindan, ADI-D', 'ADI-D'), ('Adindan, ADI-E', 'ADI-E'), ('Adindan, ADI-F', 'ADI-F'),
    ('Adindan, ADI-M', 'ADI-M'), ('Ain El Abd 1970, AIN-A', 'AIN-A'),
    ('Ain El Abd 1970, AIN-B', 'AIN-B'), ('American Samoa 1962, AMA', 'AMA'),
    ('Anna 1 Astro 1965, ANO', 'ANO'), ('Arc 1950, ARF-M', 'ARF-M'), ('Arc 1950, ARF-A', 'ARF-A'),
    ('Arc 1950, ARF-H', 'ARF-H'), ('Arc 1950, ARF-B', 'ARF-B'), ('Arc 1950, ARF-C', 'ARF-C'),
    ('Arc 1950, ARF-D', 'ARF-D'), ('Arc 1950, ARF-E', 'ARF-E'), ('Arc 1950, ARF-F', 'ARF-F'),
    ('Arc 1950, ARF-G', 'ARF-G'), ('Arc 1960, ARS-A', 'ARS-A'), ('Arc 1960, ARS-B', 'ARS-B'),
    ('Ascension Island 1958, ASC', 'ASC'), ('Montserrat Island Astro 1958, ASM', 'ASM'),
    ('Djakarta (Batavia), BAT', 'BAT'), ('Bermuda 1957, BER', 'BER'), ('Bissau, BID', 'BID'),
    ('Bogota Observatory, BOO', 'BOO'), ('Bukit Rimpah, BUR', 'BUR'),
    ('Cape Canaveral, CAC', 'CAC'), ('Campo Inchauspe, CAI', 'CAI'),
    ('Canton Astro 1966, CAO', 'CAO'), ('Cape, CAP', 'CAP'), ('Campo Area Astro, CAZ', 'CAZ'),
    ('S-JTSK, CCD', 'CCD'), ('Carthage, CGE', 'CGE'), ('Chatham Island Astro 1971, CHI', 'CHI'),
    ('Chua Astro, CHU', 'CHU'), ('Corrego Alegre, COA', 'COA'), ('Dabola, DAL', 'DAL'),
    ('Deceptio Island, DID', 'DID'), ('Gux 1 Astro, DOB', 'DOB'),
    ('Easter Island 1967, EAS', 'EAS'), ('Wake-Eniwetok 1960, ENW', 'ENW'),
    ('ED50, EUR-A', 'EUR-A'), ('ED50, EUR-B', 'EUR-B'), ('ED50, EUR-C', 'EUR-C'),
    ('ED50, EUR-D', 'EUR-D'), ('ED50, EUR-E', 'EUR-E'), ('ED50, EUR-F', 'EUR-F'),
    ('ED50, EUR-G', 'EUR-G'), ('ED50, EUR-H', 'EUR-H'), ('ED50, EUR-I', 'EUR-I'),
    ('ED50, EUR-J', 'EUR-J'), ('ED50, EUR-K', 'EUR-K'), ('ED50, EUR-L', 'EUR-L'),
    ('ED50, EUR-M', 'EUR-M'), ('ED50, EUR-S', 'EUR-S'), ('ED50, EUR-T', 'EUR-T'),
    ('ED79, EUS', 'EUS'), ('Oman, FAH', 'FAH'), ('Observatorio Met. 1939, FLO', 'FLO'),
    ("Fort Thomas '55, FOT", 'FOT'), ('Gan 1970, GAA', 'GAA'), ('Geodetic Datum 1949, GEO', 'GEO'),
    ('DOS 1968, GIZ', 'GIZ'), ("Graciosa Base SW '48, GRA", 'GRA'), ('Gunung Segara, GSE', 'GSE'),
    ('Guam 1963, GUA', 'GUA'), ('Herat North, HEN', 'HEN'),
    ('Prov.South Chilean 1963, HIT', 'HIT'), ('Hjorsey 1955, HJO', 'HJO'),
    ('Hong Kong 1963, HKD', 'HKD'), ('Hu-Tzu Shan, HTN', 'HTN'), ('Bellevue (IGN), IBE', 'IBE'),
    ('Indonesian 1974, IDN', 'IDN'), ('Indian, IND-B', 'IND-B'), ('Indian, IND-I', 'IND-I'),
    ('Indian, IND-P', 'IND-P'), ('Indian 1954, INF-A', 'INF-A'), ('Indian 1960, ING-A', 'ING-A'),
    ('Indian 1960, ING-B', 'ING-B'), ('Indian 1975, INH-A', 'INH-A'),
    ('Indian 1975, INH-A1', 'INH-A1'), ('Ireland 1965, IRL', 'IRL'),
    ('ISTS 061 Astro 1968, ISG', 'ISG'), ('ISTS 073 Astro 1969, IST', 'IST'),
    ('Johnston Island 1961, JOH', 'JOH'), ('Kandawala, KAN', 'KAN'), ('Kertau 1948, KEA', 'KEA'),
    ('Kerguelen Island 1949, KEG', 'KEG'), ('Kusaie Astro, KUS', 'KUS'),
    ('L.C. 5 Astro, LCF', 'LCF'), ('Leigon, LEH', 'LEH'), ('Liberia 1964, LIB', 'LIB'),
    ('Luzon, LUZ-A', 'LUZ-A'), ('Luzon, LUZ-B', 'LUZ-B'), ('Massawa, MAS', 'MAS'),
    ('Merchich, MER', 'MER'), ('Midway Astro 1961, MID', 'MID'), ('Mahe 1971, MIK', 'MIK'),
    ('Minna, MIN-A', 'MIN-A'), ('Minna, MIN-B', 'MIN-B'), ('Rome 1940, MOD', 'MOD'),
    ("M'Poraloko, MPO", 'MPO'), ('Viti Levu 1916, MVS', 'MVS'), ('Nahrwan, NAH-A', 'NAH-A'),
    ('Nahrwan, NAH-B', 'NAH-B'), ('Nahrwan, NAH-C', 'NAH-C'), ('Naparima BWI, NAP', 'NAP'),
    ('NAD 1983, NAR-A', 'NAR-A'), ('NAD 1983, NAR-B', 'NAR-B'), ('NAD 1983, NAR-C', 'NAR-C'),
    ('NAD 1983, NAR-D', 'NAR-D'), ('NAD 1983, NAR-E', 'NAR-E'), ('NAD 1983, NAR-H', 'NAR-H'),
    ('NAD 1927, NAS-A', 'NAS-A'), ('NAD 1927, NAS-B', 'NAS-B'), ('NAD 1927, NAS-C', 'NAS-C'),
    ('NAD 1927, NAS-D', 'NAS-D'), ('NAD 1927, NAS-E', 'NAS-E'), ('NAD 1927, NAS-F', 'NAS-F'),
    ('NAD 1927, NAS-G', 'NAS-G'), ('NAD 1927, NAS-H', 'NAS-H'), ('NAD 1927, NAS-I', 'NAS-I'),
    ('NAD 1927, NAS-J', 'NAS-J'), ('NAD 1927, NAS-L', 'NAS-L'), ('NAD 1927, NAS-N', 'NAS-N'),
    ('NAD 1927, NAS-O', 'NAS-O'), ('NAD 1927, NAS-P', 'NAS-P'), ('NAD 1927, NAS-Q', 'NAS-Q'),
    ('NAD 1927, NAS-R', 'NAS-R'), ('NAD 1927, NAS-T', 'NAS-T'), ('NAD 1927, NAS-U', 'NAS-U'),
    ('NAD 1927, NAS-V', 'NAS-V'), ('NAD 1927, NAS-W', 'NAS-W'), ('North Sahara 1959, NSD', 'NSD'),
    ('Old Egyptian, OEG', 'OEG'), ('OSGB 1936, OGB-A', 'OGB-A'), ('OSGB 1936, OGB-B', 'OGB-B'),
    ('OSGB 1936, OGB-C', 'OGB-C'), ('OSGB 1936, OGB-D', 'OGB-D'), ('OSGB 1936, OGB-M', 'OGB-M'),
    ('Old Hawaiian, OHA-A', 'OHA-A'), ('Old Hawaiian, OHA-B', 'OHA-B'),
    ('Old Hawaiian, OHA-C', 'OHA-C'), ('Old Hawaiian, OHA-D', 'OHA-D'),
    ('Old Hawaiian, OHA-M', 'OHA-M'), ('Old Hawaiian, OHI-A', 'OHI-A'),
    ('Old Hawaiian, OHI-B', 'OHI-B'), ('Old Hawaiian, OHI-C', 'OHI-C'),
    ('Old Hawaiian, OHI-D', 'OHI-D'), ('Old Hawaiian, OHI-M', 'OHI-M'),
    ('Pitcairn Astro 1967, PIT', 'PIT'), ('Pico de las Nieves, PLN', 'PLN'),
    ('Porto Santo 1936, POS', 'POS'), ('PSAD 1956, PRP-A', 'PRP-A'), ('PSAD 1956, PRP-B', 'PRP-B'),
    ('PSAD 1956, PRP-C', 'PRP-C'), ('PSAD 1956, PRP-D', 'PRP-D'), ('PSAD 1956, PRP-E', 'PRP-E'),
    ('PSAD 1956, PRP-F', 'PRP-F'), ('PSAD 1956, PRP-G', 'PRP-G'), ('PSAD 1956, PRP-H', 'PRP-H'),
    ('PSAD 1956, PRP-M', 'PRP-M'), ('Point 58, PTB', 'PTB'), ('Pointe Noire, PTN', 'PTN'),
    ('Pulkovo 1942, PUK', 'PUK'), ('Puerto Rico, PUR', 'PUR'), ('Qatar National, QAT', 'QAT'),
    ('Qornoq, QUO', 'QUO'), ('Reunion, REU', 'REU'), ('Santo (DOS), SAE', 'SAE'),
    ('SAD 1969, SAN-A', 'SAN-A'), ('SAD 1969, SAN-B', 'SAN-B'), ('SAD 1969, SAN-C', 'SAN-C'),
    ('SAD 1969, SAN-D', 'SAN-D'), ('SAD 1969, SAN-E', 'SAN-E'), ('SAD 1969, SAN-F', 'SAN-F'),
    ('SAD 1969, SAN-G', 'SAN-G'), ('SAD 1969, SAN-H', 'SAN-H'), ('SAD 1969, SAN-I', 'SAN-I'),
    ('SAD 1969, SAN-J', 'SAN-J'), ('SAD 1969, SAN-K', 'SAN-K'), ('SAD 1969, SAN-L', 'SAN-L'),
    ('SAD 1969, SAN-M', 'SAN-M'), ('Sao Braz, SAO', 'SAO'), ('Sapper Hill 1943, SAP', 'SAP'),
    ('Schwarzeck, SCK', 'SCK'), ('Selvagem Grande 1938, SGM', 'SGM'), ('SIRGAS, SIR', 'SIR'),
    ('Pulkovo 1942, SPK-A', 'SPK-A'), ('Pulkovo 1942, SPK-B', 'SPK-B'),
    ('Pulkovo 1942, SPK-C', 'SPK-C'), ('Pulkovo 1942, SPK-D', 'SPK-D'),
    ('Pulkovo 1942, SPK-E', 'SPK-E'), ('Pulkovo 1942, SPK-F', 'SPK-F'),
    ('Pulkovo 1942, SPK-G', 'SPK-G'), ('Sierra Leone 1960, SRL', 'SRL'),
    ('Tananarive Observatory 1925, TAN', 'TAN'), ('Tristan Astro 1968, TDC', 'TDC'),
    ('Timbalai 1948, TIL', 'TIL'), ('Tokyo, TOY-A', 'TOY-A'), ('Tokyo, TOY-B', 'TOY-B'),
    ('Tokyo, TOY-B1', 'TOY-B1'), ('Tokyo, TOY-C', 'TOY-C'), ('Tokyo, TOY-M', 'TOY-M'),
    ('Astro Tern Island (FRIG) 1961, TRN', 'TRN'), ('Wake Island Astro 1952, WAK', 'WAK'),
    ('Yacare, YAC', 'YAC'), ('Zanderij, ZAN', 'ZAN'), ('Afgooye, AFG Somalia', 'AFG'),
    ("Antigua Island Astro '43 AIA (Leeward Islands)", 'AIA'), ('Arc 1960, ARS', 'ARS-M'),
    ('Astronomical Station 1952, ASQ Marcus Island', 'ASQ'),
    ('Astro Beacon "E" 1945, ATF Iwo Jima', 'ATF'),
    ('Australian Geodetic 1966, AUA Australia, Tasmania Australian Nat.', 'AUA'),
    ('Australian Geodetic 1984, AUG Australia, Tasmania Australian Nat.', 'AUG'),
    ('Co-ordinate System 1937 of Estonia', 'EST'), ('Hermannskogel', 'HER'),
    ('Korean Geodetic System 1995', 'KGS'), ('NAD 1927, NAS-S', 'NAS-D'),
    ('Ayabella Lighthouse, PHA Djibouti', 'PHA'), ('Bessel (NL.RD)', 'RD-OLD'),
    ('Astro DOS 71/4, SHB St Helena Island', 'SHB'), ('South Asia,  SOA', 'SOA'),
    ('s-42, SPK', 'SPK-A'), ('Voirol 1874 VOI', 'VOI'), ('Voirol 1960, VOR Algeria', 'VOR'),
    ('WGS 1984', 'WGE'),
]


SOURCE_NAMES = {NIMA: 'kSourceNima', NATO: 'kSourceNato', PCTRANS: 'kSourcePCTrans'}


def c_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def row_name(code):
    """The old display name of a datum without its trailing code."""
    for name, named in OLD_NAMES:
        if named == code and name.endswith(', ' + code):
            return name[:-len(', ' + code)]
    base = code.split('-')[0]
    for name, named in OLD_NAMES:
        if named == code:
            match = re.search(r'[ ,]+' + re.escape(base) + r'\b', name)
            return name[:match.start()] if match else name
    raise SystemExit('no name for datum ' + code)


def read_nima(path):
    rows = {}
    with open(path, encoding='ascii') as f:
        for line in f:
            match = re.match(r'(\S+)\s+"([^"]*)"\s*(\S+)\s+(.*)$', line.rstrip('\n'))
            if not match:
                continue
            code, description, ellipsoid, numbers = match.groups()
            values = numbers.split()
            area = description.split(',', 1)[1].strip() if ',' in description else ''
            name = row_name(code)
            name, area = TEXT_OVERRIDES.get(code, (name, area))
            rows[code] = (code, name, area, ellipsoid, values[0], values[2], values[4], '0', '0', '0', '0',
                          NIMA)
    return rows


def number(text):
    return text if re.search(r'[.eE]', text) else text + '.0'


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else DATA
    output = sys.argv[2] if len(sys.argv) > 2 else OUTPUT
    rows = read_nima(data)
    for row in EXTRA_DATUMS:
        rows[row[0]] = row
    assert sorted(rows) == sorted(CODES) and len(CODES) == 232, 'datum codes do not match'
    ellipsoid_codes = {e[0] for e in ELLIPSOIDS}
    assert all(rows[c][3] in ellipsoid_codes for c in CODES), 'unknown ellipsoid code'
    assert len(NUMBERS) == 224 and all(n is None or n in rows for n in NUMBERS)
    assert len(OLD_NAMES) == 230 and all(c in rows for _, c in OLD_NAMES)

    out = ['// Generated by scripts/gen_datums.py from nima-tr8350-3param.dat; do not edit.',
           '#include "lib/geodesy/GeodeticTableData.h"', '', 'namespace {', '']
    for text, symbol in SOURCE_NAMES.items():
        out.append('const char %s[] =\n    %s;' % (symbol, c_string(text)))
    out += ['', '}  // namespace', '']
    out.append('const SEllipsoidRow kEllipsoidRows[kEllipsoidRowCount] = {')
    for code, name, area, a, inv_f, source in ELLIPSOIDS:
        out.append('    {%s, %s, %s, %s, %s, %s},' % (c_string(code), c_string(name), c_string(area), a, inv_f,
                                                      SOURCE_NAMES[source]))
    out += ['};', '', 'const SDatumRow kDatumRows[kDatumRowCount] = {']
    for code in CODES:
        r = rows[code]
        texts = ', '.join(c_string(t) for t in r[:4])
        values = ', '.join(number(v) for v in r[4:11])
        out.append('    {%s, %s, %s},' % (texts, values, SOURCE_NAMES[r[11]]))
    out += ['};', '', 'const char* const kDatumNumberCodes[kDatumNumberCount] = {']
    for slot, code in enumerate(NUMBERS):
        out.append('    %s,  // %d' % (c_string(code) if code else 'nullptr', slot))
    out += ['};', '', 'const SOldNameRow kOldNameRows[kOldNameRowCount] = {']
    for name, code in OLD_NAMES:
        out.append('    {%s, %s},' % (c_string(name), c_string(code)))
    out += ['};', '']
    with open(output, 'w', encoding='ascii', newline='\n') as f:
        f.write('\n'.join(out))


if __name__ == '__main__':
    main()
