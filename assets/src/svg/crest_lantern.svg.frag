<!-- Hotaru's crest in the information strip: her paper lantern full of fireflies over the name of
     her house, the ferry. Drawn into info_area.svg.in in place of its crest. -->
<defs>
    <radialGradient id="lanternglow" cx="70" cy="56" r="70" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#7fffc8" stop-opacity="0.26"/>
      <stop offset="1" stop-color="#7fffc8" stop-opacity="0"/>
    </radialGradient>
    <radialGradient id="paper" cx="70" cy="52" r="26" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#f4ffe8"/>
      <stop offset="0.7" stop-color="#c8f0d8"/>
      <stop offset="1" stop-color="#7cc8b0"/>
    </radialGradient>
</defs>
  <circle cx="70" cy="56" r="70" fill="url(#lanternglow)"/>
  <path d="M70 14 V24" stroke="#bfe8f6" stroke-width="2"/>
  <rect x="56" y="22" width="28" height="6" rx="2" fill="#3a2a1a" stroke="#0b1a2a" stroke-width="1.5"/>
  <path d="M54 28 C44 40 44 66 54 78 L86 78 C96 66 96 40 86 28 Z" fill="url(#paper)" stroke="#0b1a2a" stroke-width="2"/>
  <path d="M48 38 Q70 35 92 38 M46 48 Q70 45 94 48 M46 58 Q70 55 94 58 M48 68 Q70 65 92 68" fill="none" stroke="#6aa890" stroke-width="1.3"/>
  <rect x="56" y="78" width="28" height="6" rx="2" fill="#3a2a1a" stroke="#0b1a2a" stroke-width="1.5"/>
  <g fill="#eaffdc">
    <circle cx="64" cy="46" r="2.2"/><circle cx="76" cy="56" r="1.8"/><circle cx="68" cy="64" r="2"/>
    <circle cx="30" cy="40" r="1.6" opacity="0.8"/><circle cx="108" cy="30" r="1.4" opacity="0.8"/>
    <circle cx="112" cy="70" r="1.6" opacity="0.8"/><circle cx="26" cy="72" r="1.3" opacity="0.7"/>
  </g>
  <text x="70" y="104" font-family="${FONT}" font-size="${SIGNSIZE}" text-anchor="middle" fill="#bfe8f6"
        stroke="#0b0a2a" stroke-width="3" paint-order="stroke" letter-spacing="${SIGNSPACING}">${FERRY}</text>
